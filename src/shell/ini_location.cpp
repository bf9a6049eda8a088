// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ini_location.h"

#include "disk/fs_utils.h"
#include "helpers/file_path.h"
#include "platform/path_status.h"
#include "platform/user_folders.h"

namespace {

constexpr char appTitle[] = "Tamblor";

}  // namespace

std::string FindIniPath() {
    return FindIniPath(CFilePath::FromExecutable().GetFullPath());
}

std::string FindIniPath(const std::string& executablePath) {
    CFilePath beside(executablePath);
    beside.SetTitle(appTitle);
    beside.SetExtension("ini");
    std::string folder = beside.GetFolderPath();
    if (!executablePath.empty() &&
        (PathExists(beside.GetFullPath()) || PathExists(folder + "CMakeCache.txt"))) {
        return beside.GetFullPath();
    }
    std::string configFolder = GetConfigFolder();
    if (configFolder.empty()) {
        // Nowhere to keep it: the run goes on with the defaults and keeps nothing.
        return std::string();
    }
    AddTrailingBackslash(configFolder);
    configFolder += appTitle;
    // A folder that cannot be made shows up as a file error when the profile is saved.
    MakePath(configFolder);
    return configFolder + "/" + appTitle + ".ini";
}
