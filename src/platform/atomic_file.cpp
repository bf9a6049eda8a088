#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/file_exception.h"

namespace {

std::string FolderOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode the replacement should carry: the old file's, or what a new file would get.
mode_t ReplacementMode(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

CAtomicFile::CAtomicFile(const std::string& target) : path(target) {
    std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        CFileException::ThrowErrno(errno, path);
    }
    tempPath = name.data();
    if (::fchmod(fd, ReplacementMode(path)) != 0) {
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
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        CFileException::ThrowErrno(errno, path);
    }
    committed = true;
    // The rename itself must survive a power cut too.
    int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}
