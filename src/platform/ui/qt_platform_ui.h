// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's dialogs and shell services, through Qt.
#pragma once

#include "platform/platform_ui.h"

class QWidget;

class CQtPlatformUi : public CPlatformUi {
public:
    // `owner` is the window the dialogs are centred on; it may be null.
    explicit CQtPlatformUi(QWidget* owner = nullptr) : owner(owner) {}
    void SetOwner(QWidget* window) { owner = window; }

    void ShowMessage(const std::string& text, Icon icon) override;
    Answer AskRetryCancel(const std::string& text) override;
    Answer AskOkCancel(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    bool ChooseOpenFiles(const CFileDialogOptions& options,
                         std::vector<std::string>& paths) override;
    bool ChooseSaveFile(const CFileDialogOptions& options, std::string& path) override;
    bool ChooseFolder(const CFolderDialogOptions& options, std::string& path) override;
    bool OpenWithShell(const std::string& path) override;
    void SetWaitCursor(bool on) override;

private:
    QWidget* owner;
};
