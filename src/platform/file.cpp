// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/file_exception.h"
#include "platform/interrupted_call.h"

namespace {

constexpr std::size_t writeBufferSize = std::size_t{64} * 1024;

int OpenFlags(CFile::Mode mode) {
    switch (mode) {
        case CFile::Mode::read:
            return O_RDONLY;
        case CFile::Mode::readWrite:
            return O_RDWR | O_CREAT;
        case CFile::Mode::create:
            return O_WRONLY | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

}  // namespace

CFile::CFile(const std::string& path, Mode mode) {
    Open(path, mode);
}

CFile::~CFile() {
    Abort();
}

void CFile::Open(const std::string& filePath, Mode mode) {
    Abort();
    // Refused before the open: opening a device for writing may act on it, and O_TRUNC would
    // empty it. A missing file is left to the open, which creates or reports it.
    struct stat status {};
    if (mode != Mode::read && ::stat(filePath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        CFileException::ThrowNotAFile(filePath);
    }
    // O_NONBLOCK, or the open of a FIFO would wait for a writer for ever.
    int opened = RetryInterrupted([&] {
        return ::open(filePath.c_str(), OpenFlags(mode) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    });
    if (opened < 0) {
        CFileException::ThrowErrno(errno, filePath);
    }
    if (::fstat(opened, &status) != 0) {
        int error = errno;
        ::close(opened);
        CFileException::ThrowErrno(error, filePath);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(opened);
        CFileException::ThrowNotAFile(filePath);
    }
    // None of the status flags F_SETFL changes is wanted, so no F_GETFL: a collection opens
    // thousands of index files.
    if (::fcntl(opened, F_SETFL, 0) != 0) {
        int error = errno;
        ::close(opened);
        CFileException::ThrowErrno(error, filePath);
    }
    Attach(opened, filePath);
}

void CFile::Attach(int descriptor, std::string fileName) {
    Abort();
    fd = descriptor;
    path = std::move(fileName);
    position = 0;
    readLength = 0;
    writeBuffer.clear();
}

std::size_t CFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = RetryInterrupted([&] {
            return ::pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        });
        if (got < 0) {
            CFileException::ThrowErrno(errno, path);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void CFile::WriteAt(std::uint64_t offset, const char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        int injected = 0;
        if (TakeFault(FaultPoint::write, injected)) {
            CFileException::ThrowErrno(injected, path);
        }
        ssize_t put = RetryInterrupted([&] {
            return ::pwrite(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        });
        if (put < 0) {
            CFileException::ThrowErrno(errno, path);
        }
        if (put == 0) {
            CFileException::ThrowErrno(ENOSPC, path);
        }
        done += static_cast<std::size_t>(put);
    }
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (fd < 0) {
        CFileException::ThrowErrno(EBADF, path);
    }
    Flush();
    char* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (position >= readStart && position < readStart + readLength) {
            std::size_t at = static_cast<std::size_t>(position - readStart);
            std::size_t take = std::min(count - done, readLength - at);
            std::memcpy(out + done, readBuffer.data() + at, take);
            done += take;
            position += take;
            continue;
        }
        std::size_t wanted = count - done;
        if (wanted >= readAhead) {
            std::size_t got = ReadAt(position, out + done, wanted);
            done += got;
            position += got;
            break;
        }
        readBuffer.resize(readAhead);
        readStart = position;
        readLength = ReadAt(position, readBuffer.data(), readAhead);
        if (readLength == 0) {
            break;
        }
    }
    return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (fd < 0) {
        CFileException::ThrowErrno(EBADF, path);
    }
    readLength = 0;
    if (!writeBuffer.empty() && writeStart + writeBuffer.size() != position) {
        Flush();
    }
    if (writeBuffer.empty()) {
        writeStart = position;
    }
    const char* in = static_cast<const char*>(buffer);
    if (writeBuffer.size() + count > writeBufferSize) {
        Flush();
        if (count >= writeBufferSize) {
            WriteAt(position, in, count);
            position += count;
            return;
        }
        writeStart = position;
    }
    writeBuffer.insert(writeBuffer.end(), in, in + count);
    position += count;
}

void CFile::Seek(std::uint64_t offset) {
    if (fd < 0) {
        CFileException::ThrowErrno(EBADF, path);
    }
    position = offset;
}

std::uint64_t CFile::GetLength() {
    if (fd < 0) {
        CFileException::ThrowErrno(EBADF, path);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        CFileException::ThrowErrno(errno, path);
    }
    std::uint64_t length = static_cast<std::uint64_t>(status.st_size);
    return std::max<std::uint64_t>(length, writeStart + writeBuffer.size());
}

void CFile::Flush() {
    if (writeBuffer.empty()) {
        return;
    }
    std::vector<char> pending;
    pending.swap(writeBuffer);
    WriteAt(writeStart, pending.data(), pending.size());
}

void CFile::Sync() {
    Flush();
    int injected = 0;
    if (TakeFault(FaultPoint::flush, injected)) {
        CFileException::ThrowErrno(injected, path);
    }
    if (::fsync(fd) != 0) {
        CFileException::ThrowErrno(errno, path);
    }
}

void CFile::Close() {
    if (fd < 0) {
        return;
    }
    try {
        Flush();
    } catch (...) {
        Abort();
        throw;
    }
    int closing = fd;
    fd = -1;
    // A close that fails after a write means the data may not be there; EINTR still closed it.
    int injected = 0;
    if (TakeFault(FaultPoint::close, injected)) {
        ::close(closing);
        CFileException::ThrowErrno(injected, path);
    }
    if (::close(closing) != 0 && errno != EINTR) {
        CFileException::ThrowErrno(errno, path);
    }
}

void CFile::Abort() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    writeBuffer.clear();
    readLength = 0;
}

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

}  // namespace

CWholeFileBuffer::~CWholeFileBuffer() {
    Release();
}

void CWholeFileBuffer::Release() {
    if (mapped) {
        ::munmap(bytes, capacity);
    } else {
        delete[] bytes;
    }
    bytes = nullptr;
    capacity = 0;
    mapped = false;
}

std::uint8_t* CWholeFileBuffer::Reserve(std::size_t length) {
    if (length <= capacity) {
        return bytes;
    }
    Release();
    if (length >= hugePage) {
        std::size_t rounded = (length + hugePage - 1) / hugePage * hugePage;
        void* memory =
            ::mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
            // Only a wish: without huge pages the memory works all the same.
            ::madvise(memory, rounded, MADV_HUGEPAGE);
            bytes = static_cast<std::uint8_t*>(memory);
            capacity = rounded;
            mapped = true;
            return bytes;
        }
    }
    // Unlike a vector, nothing is filled with zeros that the read then overwrites.
    bytes = new std::uint8_t[length];
    capacity = length;
    return bytes;
}

std::string ReadWholeFile(const std::string& path) {
    CFile file(path, CFile::Mode::read);
    std::string contents;
    std::vector<char> chunk(std::size_t{64} * 1024);
    std::size_t got;
    while ((got = file.Read(chunk.data(), chunk.size())) > 0) {
        contents.append(chunk.data(), got);
    }
    file.Close();
    return contents;
}

bool IsTerminal(int descriptor) {
    return ::isatty(descriptor) != 0;
}
