// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/folder_browser.h"

#include "platform/path_status.h"
#include "platform/platform_ui.h"

bool CFolderBrowser::Choose() {
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr) {
        return false;
    }
    if (!rootFolder.empty() && GetPathKind(rootFolder) != PathKind::folder) {
        return false;
    }
    CFolderDialogOptions options;
    options.title = title;
    options.rootFolder = rootFolder;
    options.preselectedFolder = preselectedFolder;
    std::string path;
    if (!ui->ChooseFolder(options, path) || path.empty()) {
        return false;
    }
    chosenPath = path;
    return true;
}
