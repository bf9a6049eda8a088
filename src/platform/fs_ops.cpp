// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/interrupted_call.h"

namespace {

// A copy reads in pieces that take about this long, so that a stop asked between two of them
// is felt at once on a slow disc as well as a fast disk, where large pieces cost less.
constexpr std::chrono::milliseconds copyPieceTime(25);
constexpr std::size_t smallestCopyPiece = std::size_t{16} * 1024;
constexpr std::size_t largestCopyPiece = std::size_t{1024} * 1024;
// Longer link texts than the system's path limit cannot come from a sound filesystem.
constexpr std::size_t maxLinkText = PATH_MAX;
// As many links in a row as the system itself follows before it gives up with ELOOP.
constexpr int maxLinks = 40;

// Closes on every path out of a copy; Close() reports what the destructor cannot.
class CDescriptor {
public:
    explicit CDescriptor(int descriptor) : fd(descriptor) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() {
        if (fd >= 0) {
            int error = errno;
            ::close(fd);
            errno = error;
        }
    }

    int Get() const { return fd; }
    bool IsOpen() const { return fd >= 0; }
    // A failed close after writing may mean the data never reached the disk. The descriptor
    // is released even on EINTR, so it is never closed twice.
    bool Close() {
        int closing = fd;
        fd = -1;
        return ::close(closing) == 0 || errno == EINTR;
    }

private:
    int fd;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    return RetryInterrupted([&] { return ::open(path.c_str(), flags, mode); });
}

bool WriteAll(int fd, const char* data, std::size_t count) {
    while (count > 0) {
        if (FailsByFault(FaultPoint::write)) {
            return false;
        }
        ssize_t put = RetryInterrupted([&] { return ::write(fd, data, count); });
        if (put < 0) {
            return false;
        }
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        data += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool CopyBytes(int in, int out, const CCopyOptions& options, CopySide& side) {
    std::vector<char> buffer(largestCopyPiece);
    std::size_t piece = std::size_t{64} * 1024;
    while (true) {
        auto start = std::chrono::steady_clock::now();
        ssize_t got = RetryInterrupted([&] { return ::read(in, buffer.data(), piece); });
        auto took = std::chrono::steady_clock::now() - start;
        if (took < copyPieceTime / 4 && piece < largestCopyPiece) {
            piece *= 2;
        } else if (took > copyPieceTime && piece > smallestCopyPiece) {
            piece /= 2;
        }
        if (got < 0) {
            side = CopySide::source;
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) {
            return false;
        }
        if (options.onBytes && !options.onBytes(static_cast<std::uint64_t>(got))) {
            errno = ECANCELED;
            return false;
        }
    }
}

mode_t CopyMode(const struct stat& source, const CCopyOptions& options) {
    mode_t mode = source.st_mode & 0777;
    return options.addOwnerWrite ? (mode | S_IWUSR) : mode;
}

// Bytes first, then mode and time: a write after futimens would move the time again.
bool FillCopy(int in, const struct stat& source, int out, const CCopyOptions& options,
              CopySide& side) {
    if (!CopyBytes(in, out, options, side)) {
        return false;
    }
    mode_t mode = CopyMode(source, options);
    if (::fchmod(out, mode) != 0) {
        // A filesystem without permission bits (a FAT stick) refuses some modes. The copy is
        // still good unless it had to become writable and has not.
        int error = errno;
        struct stat copy {};
        if (::fstat(out, &copy) != 0 || (options.addOwnerWrite && (copy.st_mode & S_IWUSR) == 0)) {
            errno = error;
            return false;
        }
    }
    // The time is kept where the filesystem lets us; a copy with today's time is still a copy.
    const std::array<struct timespec, 2> times = {{{0, UTIME_OMIT}, source.st_mtim}};
    ::futimens(out, times.data());
    return true;
}

std::string FolderPrefix(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool CopyToNewFile(int in, const struct stat& source, const std::string& target,
                   const CCopyOptions& options, CopySide& side) {
    CDescriptor out(
        OpenRetrying(target, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, CopyMode(source, options)));
    if (!out.IsOpen()) {
        return false;
    }
    if (FillCopy(in, source, out.Get(), options, side) && out.Close()) {
        return true;
    }
    int error = errno;
    ::unlink(target.c_str());
    errno = error;
    return false;
}

// The previous file stays whole until a complete copy is renamed over it.
bool CopyOverFile(int in, const struct stat& source, const std::string& target,
                  const CCopyOptions& options, CopySide& side) {
    std::string temp = FolderPrefix(target) + ".tamblor-copy-XXXXXX";
    if (!IsUsablePath(temp)) {
        return false;
    }
    CDescriptor out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.IsOpen()) {
        return false;
    }
    if (FillCopy(in, source, out.Get(), options, side) && ::fsync(out.Get()) == 0 && out.Close() &&
        ::rename(temp.c_str(), target.c_str()) == 0) {
        return true;
    }
    int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return false;
}

}  // namespace

std::string FileNameOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsUsablePath(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    // c_str() would silently cut the path at a NUL byte.
    if (path.find('\0') != std::string::npos) {
        errno = EINVAL;
        return false;
    }
    if (path.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return false;
    }
    return true;
}

bool GetEntryKind(const std::string& path, bool followLinks, EntryKind& kind) {
    if (!IsUsablePath(path)) {
        return false;
    }
    struct stat status {};
    int result = followLinks ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status);
    if (result != 0) {
        return false;
    }
    if (S_ISREG(status.st_mode)) {
        kind = EntryKind::file;
    } else if (S_ISDIR(status.st_mode)) {
        kind = EntryKind::folder;
    } else if (S_ISLNK(status.st_mode)) {
        kind = EntryKind::link;
    } else {
        kind = EntryKind::other;
    }
    return true;
}

bool GetFileIdentity(const std::string& path, CFileIdentity& identity) {
    if (!IsUsablePath(path)) {
        return false;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    return true;
}

bool CreateFolder(const std::string& path) {
    return IsUsablePath(path) && ::mkdir(path.c_str(), 0777) == 0;
}

bool CopyRegularFile(const std::string& source, const std::string& target,
                     const CCopyOptions& options, CopySide* failedSide) {
    CopySide ignored = CopySide::source;
    CopySide& side = failedSide != nullptr ? *failedSide : ignored;
    side = CopySide::source;
    if (!IsUsablePath(source)) {
        return false;
    }
    if (!IsUsablePath(target)) {
        side = CopySide::target;
        return false;
    }
    // Refused before opening: opening a FIFO would block and opening a device may act on it.
    EntryKind kind = EntryKind::other;
    if (!GetEntryKind(source, options.followLinks, kind)) {
        return false;
    }
    if (kind != EntryKind::file) {
        errno = kind == EntryKind::folder ? EISDIR : (kind == EntryKind::link ? ELOOP : EINVAL);
        return false;
    }
    // O_NOFOLLOW and O_NONBLOCK keep a source swapped since the check from being read through.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (options.followLinks ? 0 : O_NOFOLLOW);
    CDescriptor in(OpenRetrying(source, flags));
    if (!in.IsOpen()) {
        return false;
    }
    struct stat status {};
    if (::fstat(in.Get(), &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        errno = EINVAL;
        return false;
    }
    int current = ::fcntl(in.Get(), F_GETFL);
    if (current < 0 || ::fcntl(in.Get(), F_SETFL, current & ~O_NONBLOCK) != 0) {
        return false;
    }
    side = CopySide::target;
    return options.failIfExists ? CopyToNewFile(in.Get(), status, target, options, side)
                                : CopyOverFile(in.Get(), status, target, options, side);
}

bool ReadLinkText(const std::string& path, std::string& text) {
    if (!IsUsablePath(path)) {
        return false;
    }
    std::vector<char> buffer(256);
    while (true) {
        ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            text.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
        if (buffer.size() > maxLinkText) {
            errno = ENAMETOOLONG;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool ResolveLinks(const std::string& path, std::string& target) {
    std::string current = path;
    for (int links = 0;; ++links) {
        if (!IsUsablePath(current)) {
            return false;
        }
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno != ENOENT) {
                return false;
            }
            // Nothing there yet: this is the name a new file takes.
            target = current;
            return true;
        }
        if (!S_ISLNK(status.st_mode)) {
            target = current;
            return true;
        }
        if (links == maxLinks) {
            errno = ELOOP;
            return false;
        }
        std::string text;
        if (!ReadLinkText(current, text)) {
            return false;
        }
        if (text.empty()) {
            errno = ENOENT;
            return false;
        }
        if (text[0] != '/') {
            text.insert(0, FolderPrefix(current));
        }
        current = std::move(text);
    }
}

bool CopySymbolicLink(const std::string& source, const std::string& target) {
    if (!IsUsablePath(target)) {
        return false;
    }
    std::string text;
    if (!ReadLinkText(source, text)) {
        return false;
    }
    return ::symlink(text.c_str(), target.c_str()) == 0;
}
