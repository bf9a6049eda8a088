// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dir_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/fault_injection.h"

CDirReader::~CDirReader() {
    Close();
}

namespace {

// Big enough for most folders in one call; the call that finds the end is one more.
constexpr std::size_t bufferSize = std::size_t{64} * 1024;

// Buffers of readers that finished listing, kept for the next folders: a scan lists
// thousands, and would otherwise make the allocator grow and trim the heap for each.
thread_local std::vector<std::unique_ptr<char[]>> spareBuffers;
constexpr std::size_t maxSpareBuffers = 8;

// Listing a folder would mark it accessed; the catalogue should leave the disk as it found
// it. Only the owner (or root) may ask for that, so others fall back to a plain open.
bool noAccessTimeAllowed = true;

int OpenFolderAt(int parent, const char* name, int flags) {
    if (FailsByFault(FaultPoint::openFolder)) {
        return -1;
    }
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

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

CDirReader::CDirReader(CDirReader&& other) noexcept
    : fd(std::exchange(other.fd, -1)),
      buffer(std::move(other.buffer)),
      filled(std::exchange(other.filled, 0)),
      next(std::exchange(other.next, 0)),
      atEnd(std::exchange(other.atEnd, false)),
      listError(std::exchange(other.listError, 0)) {}

CDirReader& CDirReader::operator=(CDirReader&& other) noexcept {
    if (this != &other) {
        Close();
        fd = std::exchange(other.fd, -1);
        buffer = std::move(other.buffer);
        filled = std::exchange(other.filled, 0);
        next = std::exchange(other.next, 0);
        atEnd = std::exchange(other.atEnd, false);
        listError = std::exchange(other.listError, 0);
    }
    return *this;
}

bool CDirReader::Adopt(int descriptor) {
    if (descriptor < 0) {
        return false;
    }
    fd = descriptor;
    filled = 0;
    next = 0;
    atEnd = false;
    listError = 0;
    return true;
}

bool CDirReader::Open(const std::string& path) {
    Close();
    return Adopt(OpenFolderAt(AT_FDCWD, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool CDirReader::OpenChild(const CDirReader& parent, const std::string& name) {
    Close();
    if (parent.fd < 0) {
        errno = EBADF;
        return false;
    }
    return Adopt(
        OpenFolderAt(parent.fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool CDirReader::OpenParent(const CDirReader& child) {
    Close();
    if (child.fd < 0) {
        errno = EBADF;
        return false;
    }
    return Adopt(OpenFolderAt(child.fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool CDirReader::GetIdentity(CDirIdentity& identity) const {
    struct stat status {};
    if (fd < 0) {
        errno = EBADF;
        return false;
    }
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    return true;
}

// The folder is read with getdents64 straight into a large buffer: a directory stream would
// add an fstat and two fcntl calls per folder and read in smaller pieces, and a scan opens
// thousands of folders.
bool CDirReader::Next(CDirEntry& entry) {
    if (fd < 0) {
        errno = EBADF;
        return false;
    }
    if (atEnd) {
        errno = listError;
        return false;
    }
    while (true) {
        if (next >= filled) {
            if (buffer == nullptr && !spareBuffers.empty()) {
                buffer = std::move(spareBuffers.back());
                spareBuffers.pop_back();
            }
            if (buffer == nullptr) {
                buffer = std::make_unique<char[]>(bufferSize);
            }
            ssize_t got = -1;
            if (!FailsByFault(FaultPoint::readFolder)) {
                errno = 0;
                got = ::getdents64(fd, buffer.get(), bufferSize);
            }
            if (got <= 0) {
                // 0 at the end, with errno still 0; -1 with errno set when listing fails.
                int error = got < 0 ? errno : 0;
                atEnd = true;
                listError = error;
                ReleaseBuffer();
                errno = error;
                return false;
            }
            filled = static_cast<std::size_t>(got);
            next = 0;
        }
        // getdents64 lays its records out as glibc's struct dirent64.
        const auto* found = reinterpret_cast<const struct dirent64*>(buffer.get() + next);
        next += found->d_reclen;
        const char* name = found->d_name;
        if (IsDotOrDotDot(name)) {
            continue;
        }
        struct statx status {};
        int result =
            FailsByFault(FaultPoint::statEntry)
                ? -1
                : ::statx(fd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                          STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME,
                          &status);
        if (result != 0 && errno == ENOENT) {
            // Gone since the listing: it is no longer on the disk.
            continue;
        }
        entry.name = name;
        if (result != 0) {
            // Listed but not to be looked at: the name, and the kind if the listing says.
            entry.detailsError = errno;
            entry.isDirectory = found->d_type == DT_DIR;
            entry.size = 0;
            entry.creationTime = entry.modifyTime = entry.accessTime = 0;
            return true;
        }
        entry.detailsError = 0;
        entry.isDirectory = S_ISDIR(status.stx_mode);
        entry.size = entry.isDirectory ? 0 : status.stx_size;
        entry.modifyTime = status.stx_mtime.tv_sec;
        entry.accessTime = status.stx_atime.tv_sec;
        entry.creationTime =
            (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime.tv_sec : entry.modifyTime;
        return true;
    }
}

void CDirReader::ReleaseBuffer() {
    filled = 0;
    next = 0;
    if (buffer != nullptr && spareBuffers.size() < maxSpareBuffers) {
        spareBuffers.push_back(std::move(buffer));
    }
    buffer.reset();
}

void CDirReader::Close() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    atEnd = false;
    listError = 0;
    ReleaseBuffer();
}
