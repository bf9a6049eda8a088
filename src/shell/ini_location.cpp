#include "shell/ini_location.h"

#include <cstdlib>

#include "disk/fs_utils.h"
#include "helpers/file_path.h"
#include "platform/ini_location_probe.h"
#include "platform/path_status.h"

namespace {

constexpr char appTitle[] = "Tamblor";

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string ConfigFolder() {
    // A relative value is to be ignored, as if it were not set.
    std::string base = EnvironmentValue("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') {
        std::string home = EnvironmentValue("HOME");
        if (home.empty()) {
            return std::string();
        }
        base = home + "/.config";
    }
    AddTrailingBackslash(base);
    return base + appTitle;
}

}  // namespace

std::string FindIniPath() {
    return FindIniPath(CFilePath::FromExecutable().GetFullPath());
}

std::string FindIniPath(const std::string& executablePath) {
    CFilePath beside(executablePath);
    beside.SetTitle(appTitle);
    beside.SetExtension("ini");
    if (!executablePath.empty()) {
        std::string folder = beside.GetFolderPath();
        if (PathExists(beside.GetFullPath()) || IsWritableFolder(folder.empty() ? "." : folder)) {
            return beside.GetFullPath();
        }
    }
    std::string configFolder = ConfigFolder();
    if (configFolder.empty()) {
        // Nowhere better: reading works, and saving will say why it cannot.
        return beside.GetFullPath();
    }
    // A folder that cannot be made shows up as a file error when the profile is saved.
    MakePath(configFolder);
    return configFolder + "/" + appTitle + ".ini";
}
