// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mem_map_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/interrupted_call.h"

CMemMapFile::~CMemMapFile() {
    Close();
}

bool CMemMapFile::Open(const std::string& path) {
    Close();
    if (!Map(path)) {
        Close();
        return false;
    }
    return true;
}

void CMemMapFile::OpenOrThrow(const std::string& path) {
    if (Open(path)) {
        return;
    }
    // Learn why from an ordinary open.
    CFile probe(path, CFile::Mode::read);
    CFileException::ThrowEndOfFile(path);
}

bool CMemMapFile::Map(const std::string& path) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below as not a file.
    fileHandle = RetryInterrupted(
        [&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); });
    if (fileHandle < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(fileHandle, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
        static_cast<std::uint64_t>(status.st_size) > UINT32_MAX) {
        return false;
    }
    void* mapped = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_SHARED,
                          fileHandle, 0);
    if (mapped == MAP_FAILED) {
        return false;
    }
    fileSize = static_cast<std::uint32_t>(status.st_size);
    view = static_cast<const std::uint8_t*>(mapped);
    return true;
}

void CMemMapFile::Close() {
    if (view != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(view), fileSize);
        view = nullptr;
    }
    if (fileHandle >= 0) {
        ::close(fileHandle);
        fileHandle = -1;
    }
    fileSize = 0;
}
