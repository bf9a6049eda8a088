// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/guide.h"

#include "disk/fs_utils.h"
#include "helpers/file_path.h"
#include "platform/path_status.h"
#include "platform/platform_ui.h"
#include "shell/show_message.h"

namespace {

constexpr char guideTitle[] = "Tamblor";
constexpr char guideExtension[] = "html";
// Where an installation keeps it, seen from the folder of the executable.
constexpr char installedFolder[] = "../share/tamblor";

// `fileName` in `folder` when it exists, a file or a folder. The folder is resolved by the
// system rather than by folding "..", so that "bin/.." leads where a linked bin folder
// really lies.
std::string ExistingGuide(const std::string& folder, const std::string& fileName) {
    std::string realFolder = GetRealPath(folder);
    if (realFolder.empty()) {
        return std::string();
    }
    std::string path = ChildPath(realFolder, fileName);
    return GetPathKind(path) == PathKind::missing ? std::string() : path;
}

}  // namespace

std::string FindGuidePath(const std::string& executablePath) {
    // A relative path would be looked up from the current folder, which says nothing about
    // where the program lies.
    if (executablePath.empty() || executablePath[0] != '/') {
        return std::string();
    }
    CFilePath guide(executablePath);
    guide.SetTitle(guideTitle);
    guide.SetExtension(guideExtension);
    std::string beside = ExistingGuide(guide.GetFolderPath(), guide.GetFileName());
    if (!beside.empty()) {
        return beside;
    }
    return ExistingGuide(ChildPath(guide.GetFolderPath(), installedFolder), guide.GetFileName());
}

bool ShowGuide(const std::string& executablePath) {
    std::string path = FindGuidePath(executablePath);
    if (path.empty()) {
        ShowMessage("Missing help file path");
        return false;
    }
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr) {
        return false;
    }
    ui->OpenWithShell(path);
    return true;
}

bool ShowGuide() {
    return ShowGuide(CFilePath::FromExecutable().GetFullPath());
}
