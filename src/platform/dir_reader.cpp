#include "platform/dir_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

CDirReader::~CDirReader() {
    Close();
}

bool CDirReader::Adopt(int fd) {
    if (fd < 0) {
        return false;
    }
    dir = ::fdopendir(fd);
    if (dir == nullptr) {
        int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return true;
}

namespace {

// Listing a folder would mark it accessed; the catalogue should leave the disk as it found
// it. Only the owner (or root) may ask for that, so others fall back to a plain open.
bool noAccessTimeAllowed = true;

int OpenFolderAt(int parent, const char* name, int flags) {
    if (noAccessTimeAllowed) {
        int fd = ::openat(parent, name, flags | O_NOATIME);
        if (fd >= 0 || errno != EPERM) {
            return fd;
        }
    }
    int fd = ::openat(parent, name, flags);
    if (fd >= 0 && noAccessTimeAllowed) {
        // One refusal for a folder we may read means we are not its owner; the disk is
        // most likely all one owner's, so stop asking.
        noAccessTimeAllowed = false;
    }
    return fd;
}

}  // namespace

bool CDirReader::Open(const std::string& path) {
    Close();
    return Adopt(OpenFolderAt(AT_FDCWD, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool CDirReader::OpenChild(const CDirReader& parent, const std::string& name) {
    Close();
    if (parent.dir == nullptr) {
        errno = EBADF;
        return false;
    }
    return Adopt(OpenFolderAt(::dirfd(parent.dir), name.c_str(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool CDirReader::Next(CDirEntry& entry) {
    if (dir == nullptr) {
        return false;
    }
    while (true) {
        errno = 0;
        struct dirent* found = ::readdir(dir);
        if (found == nullptr) {
            return false;
        }
        const char* name = found->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        entry.name = name;
        struct statx status {};
        if (::statx(::dirfd(dir), name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                    STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME,
                    &status) != 0) {
            // Vanished or unreadable since the listing: keep the name, with nothing known.
            entry.isDirectory = found->d_type == DT_DIR;
            entry.size = 0;
            entry.creationTime = entry.modifyTime = entry.accessTime = 0;
            return true;
        }
        entry.isDirectory = S_ISDIR(status.stx_mode);
        entry.size = entry.isDirectory ? 0 : status.stx_size;
        entry.modifyTime = status.stx_mtime.tv_sec;
        entry.accessTime = status.stx_atime.tv_sec;
        entry.creationTime =
            (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime.tv_sec : entry.modifyTime;
        return true;
    }
}

void CDirReader::Close() {
    if (dir != nullptr) {
        ::closedir(dir);
        dir = nullptr;
    }
}
