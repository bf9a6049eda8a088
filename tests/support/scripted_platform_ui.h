// SPDX-License-Identifier: GPL-3.0-or-later
// A CPlatformUi that answers from a script and records what it was asked, for tests of
// commands that show dialogs.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/platform_ui.h"

class CScriptedPlatformUi : public CPlatformUi {
public:
    CScriptedPlatformUi() { previous = SetPlatformUi(this); }
    CScriptedPlatformUi(const CScriptedPlatformUi&) = delete;
    CScriptedPlatformUi& operator=(const CScriptedPlatformUi&) = delete;
    ~CScriptedPlatformUi() override { SetPlatformUi(previous); }

    void ShowMessage(const std::string& text, Icon /*icon*/) override { Record("message", text); }
    Answer AskRetryCancel(const std::string& text) override { return Next("retry-cancel", text); }
    Answer AskOkCancel(const std::string& text) override { return Next("ok-cancel", text); }
    Answer AskYesNoCancel(const std::string& text) override { return Next("yes-no-cancel", text); }
    bool ChooseOpenFiles(const CFileDialogOptions& options,
                         std::vector<std::string>& paths) override {
        Record("open", options.initialFolder);
        fileDialogs.push_back(options);
        if (chosenPaths.empty()) {
            return false;
        }
        paths = chosenPaths.front();
        chosenPaths.pop_front();
        return true;
    }
    bool ChooseSaveFile(const CFileDialogOptions& options, std::string& path) override {
        Record("save", options.initialFolder + "|" + options.initialName);
        fileDialogs.push_back(options);
        return Take(path);
    }
    bool ChooseFolder(const CFolderDialogOptions& options, std::string& path) override {
        Record("folder", options.rootFolder + "|" + options.preselectedFolder);
        return Take(path);
    }
    bool OpenWithShell(const std::string& path) override {
        Record("shell", path);
        return true;
    }
    void SetWaitCursor(bool on) override { Record("wait", on ? "on" : "off"); }

    // Answers and chosen paths, used in order; an empty queue answers Cancel.
    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> chosenPaths;
    std::deque<std::string> chosenFiles;
    // The options of every file dialog shown, in order.
    std::vector<CFileDialogOptions> fileDialogs;
    // Every call as "kind: text", in order.
    std::vector<std::string> calls;

private:
    void Record(const std::string& kind, const std::string& text) {
        calls.push_back(kind + ": " + text);
    }
    Answer Next(const std::string& kind, const std::string& text) {
        Record(kind, text);
        if (answers.empty()) {
            return Answer::cancel;
        }
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Take(std::string& path) {
        if (chosenFiles.empty()) {
            return false;
        }
        path = chosenFiles.front();
        chosenFiles.pop_front();
        return true;
    }

    CPlatformUi* previous;
};
