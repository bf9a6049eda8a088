#include "platform/volume.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstring>

bool ReadVolumeInformation(const std::string& rootPath, CVolumeInfo& info) {
    struct statvfs fs {};
    if (::statvfs(rootPath.c_str(), &fs) != 0) {
        return false;
    }
    info = CVolumeInfo();
    info.serial = static_cast<std::uint32_t>(fs.f_fsid);
    return true;
}

std::string ResolveDriveRoot(const std::string& drive) {
    struct stat status {};
    if (::stat(drive.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return std::string();
    }
    return drive;
}
