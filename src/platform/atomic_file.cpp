// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/file_exception.h"
#include "platform/fs_ops.h"

namespace {

std::string FolderOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Temporary names stay within the system's limit on a name, however long the target's is.
constexpr std::size_t maxTempStem = 200;

// What the replacement takes over from the file it replaces.
struct CReplaced {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

// Refuses, before anything is written, a target that is no file or that the user may not
// write: the rename would otherwise succeed wherever the folder is writable.
CReplaced InspectTarget(const std::string& target, const std::string& path) {
    CReplaced replaced;
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            CFileException::ThrowErrno(errno, path);
        }
        mode_t mask = ::umask(0);
        ::umask(mask);
        replaced.mode = 0666 & ~mask;
        return replaced;
    }
    if (!S_ISREG(status.st_mode)) {
        CFileException::ThrowNotAFile(path);
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        CFileException::ThrowErrno(errno, path);
    }
    replaced.exists = true;
    replaced.mode = status.st_mode & 07777;
    replaced.owner = status.st_uid;
    replaced.group = status.st_gid;
    return replaced;
}

// Owner first: a change of owner clears the set-id bits that the mode then restores.
bool TakeOver(int fd, const CReplaced& replaced) {
    if (replaced.exists) {
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            return false;
        }
        // Only root may give a file away; anyone else's replacement is simply theirs.
        if ((status.st_uid != replaced.owner || status.st_gid != replaced.group) &&
            ::fchown(fd, replaced.owner, replaced.group) != 0 && errno != EPERM) {
            return false;
        }
    }
    // mkstemp creates 0600, which is not what the user's files get.
    return ::fchmod(fd, replaced.mode) == 0;
}

}  // namespace

CAtomicFile::CAtomicFile(const std::string& name) : path(name) {
    if (!IsUsablePath(path) || !ResolveLinks(path, target)) {
        CFileException::ThrowErrno(errno, path);
    }
    CReplaced replaced = InspectTarget(target, path);
    std::string pattern =
        FolderOf(target) + "/." + FileNameOf(target).substr(0, maxTempStem) + ".XXXXXX";
    if (!IsUsablePath(pattern)) {
        CFileException::ThrowErrno(errno, path);
    }
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        CFileException::ThrowErrno(errno, path);
    }
    tempPath = temp.data();
    if (!TakeOver(fd, replaced)) {
        int error = errno;
        ::close(fd);
        ::unlink(tempPath.c_str());
        CFileException::ThrowErrno(error, path);
    }
    file.Attach(fd, path);
}

CAtomicFile::~CAtomicFile() {
    if (!committed) {
        file.Abort();
        ::unlink(tempPath.c_str());
    }
}

void CAtomicFile::Commit() {
    file.Sync();
    file.Close();
    int injected = 0;
    if (TakeFault(FaultPoint::rename, injected)) {
        CFileException::ThrowErrno(injected, path);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        CFileException::ThrowErrno(errno, path);
    }
    committed = true;
    // The rename itself must survive a power cut too.
    int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}
