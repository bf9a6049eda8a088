#include "platform/mem_map_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/path_status.h"

namespace {

std::string MappingNameOf(const std::string& path) {
    std::string name = path;
    if (name.empty() || name[0] != '/') {
        name = GetCurrentFolder() + "/" + name;
    }
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

}  // namespace

CMemMapFile::~CMemMapFile() {
    Close();
}

bool CMemMapFile::Open(const std::string& path, bool openReadOnly, int /*shareMode*/,
                       bool withTerminator, bool named, bool sparse) {
    Close();
    readOnly = openReadOnly;
    addTerminator = withTerminator;
    if (!Map(path, named, sparse)) {
        Close();
        return false;
    }
    return true;
}

bool CMemMapFile::Map(const std::string& path, bool named, bool sparse) {
    // A mapping longer than its file cannot be read-only; marking sparse needs write access.
    if (readOnly && (addTerminator || sparse)) {
        return false;
    }
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below as not a file.
    int flags = (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    do {
        fileHandle = ::open(path.c_str(), flags);
    } while (fileHandle < 0 && errno == EINTR);
    if (fileHandle < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(fileHandle, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
        static_cast<std::uint64_t>(status.st_size) > UINT32_MAX) {
        return false;
    }
    fileSize = static_cast<std::uint32_t>(status.st_size);
    if (named) {
        mappingName = MappingNameOf(path);
    }

    viewLength = std::size_t{fileSize} + (addTerminator ? 2 : 0);
    if (addTerminator && ::ftruncate(fileHandle, static_cast<off_t>(viewLength)) != 0) {
        return false;
    }
    int protection = readOnly ? PROT_READ : PROT_READ | PROT_WRITE;
    void* mapped = ::mmap(nullptr, viewLength, protection, MAP_SHARED, fileHandle, 0);
    if (mapped == MAP_FAILED) {
        return false;
    }
    view = static_cast<std::uint8_t*>(mapped);
    if (addTerminator) {
        view[fileSize] = 0;
        view[fileSize + 1] = 0;
    }

    // An unnamed mapping has no identity outside this object, so a mutex shared by every
    // unnamed mapping would only leave a stray semaphore behind. A named one is created or
    // joined; without it the mapping still works, as nothing here depends on the lock.
    if (named) {
        sem_t* mutex = ::sem_open(("/" + GetMutexName()).c_str(), O_CREAT, 0600, 1);
        if (mutex != SEM_FAILED) {
            mutexHandle = mutex;
        }
    }
    return true;
}

void CMemMapFile::Close() {
    Unlock();
    if (view != nullptr) {
        if (!readOnly) {
            ::msync(view, viewLength, MS_SYNC);
        }
        ::munmap(view, viewLength);
        view = nullptr;
    }
    viewLength = 0;
    if (fileHandle >= 0) {
        ::close(fileHandle);
        fileHandle = -1;
    }
    if (mutexHandle != nullptr) {
        // Never unlinked: another process may hold the same name.
        ::sem_close(mutexHandle);
        mutexHandle = nullptr;
    }
    readOnly = true;
    mappingName.clear();
    fileSize = 0;
}

bool CMemMapFile::Unlock() {
    if (!locked) {
        return false;
    }
    locked = false;
    if (mutexHandle != nullptr) {
        ::sem_post(mutexHandle);
    }
    return true;
}
