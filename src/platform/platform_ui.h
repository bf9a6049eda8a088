// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog, question and shell service the commands need, behind one interface: the
// desktop program installs the Qt implementation, tests install a scripted one, so each
// command's sequence of dialogs can be tested without a person.
#pragma once

#include <string>
#include <vector>

struct CFileDialogOptions {
    std::string title;             // empty: the platform's default title
    std::string filterName;        // "CD index files"
    std::string filterPattern;     // "*.cdi"
    std::string defaultExtension;  // appended to a name typed without one; empty: none
    std::string initialFolder;
    std::string initialName;
    bool multipleSelection = false;
    bool confirmOverwrite = false;
};

struct CFolderDialogOptions {
    std::string title;       // shown above the folder tree
    std::string rootFolder;  // empty: the whole file system
    std::string preselectedFolder;
};

class CPlatformUi {
public:
    enum class Icon { information, warning, stop };
    enum class Answer { ok, cancel, retry, yes, no };

    virtual ~CPlatformUi() = default;

    virtual void ShowMessage(const std::string& text, Icon icon) = 0;
    virtual Answer AskRetryCancel(const std::string& text) = 0;
    virtual Answer AskOkCancel(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    // False when the user cancels.
    virtual bool ChooseOpenFiles(const CFileDialogOptions& options,
                                 std::vector<std::string>& paths) = 0;
    virtual bool ChooseSaveFile(const CFileDialogOptions& options, std::string& path) = 0;
    virtual bool ChooseFolder(const CFolderDialogOptions& options, std::string& path) = 0;
    // Hands a file to the desktop's default application; false when that fails.
    virtual bool OpenWithShell(const std::string& path) = 0;
    virtual void SetWaitCursor(bool on) = 0;
};

// The installed implementation; null until the program or a test installs one.
CPlatformUi* GetPlatformUi();
// Installs `ui` (not owned) and returns the previous one.
CPlatformUi* SetPlatformUi(CPlatformUi* ui);
