// SPDX-License-Identifier: GPL-3.0-or-later
// A binary file opened for one operation, with buffered reads and writes at a logical
// position. Every failure throws CFileException naming the file; reads past the end are short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CFile {
public:
    enum class Mode {
        read,       // existing file, read only
        readWrite,  // opened or created, never truncated
        create,     // created or truncated, for writing
    };

    CFile() = default;
    CFile(const std::string& path, Mode mode);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes without reporting: call Close() to learn whether buffered data reached the disk.
    ~CFile();

    void Open(const std::string& path, Mode mode);
    // Takes over an open descriptor; fileName is what error messages name.
    void Attach(int fd, std::string fileName);
    bool IsOpen() const { return fd >= 0; }
    const std::string& GetFilePath() const { return path; }

    // Reads up to count bytes at the position and advances it; fewer only at the end of file.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    void Seek(std::uint64_t offset);
    std::uint64_t GetPosition() const { return position; }
    std::uint64_t GetLength();
    // How much a miss reads ahead; 0 reads exactly what is asked (one header, say).
    void SetReadAhead(std::size_t bytes) { readAhead = bytes; }

    void Flush();
    // Flushes and asks the kernel to put the data on the disk.
    void Sync();
    void Close();
    // Closes at once, dropping what is still buffered: for a write that is being abandoned.
    void Abort();

private:
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count);
    void WriteAt(std::uint64_t offset, const char* buffer, std::size_t count);

    int fd = -1;
    std::string path;
    std::uint64_t position = 0;
    std::size_t readAhead = std::size_t{64} * 1024;
    std::vector<char> readBuffer;
    std::uint64_t readStart = 0;
    std::size_t readLength = 0;
    std::vector<char> writeBuffer;
    std::uint64_t writeStart = 0;
};

// Room for the whole contents of one file at a time, for reading files one after another in
// one read each: it grows to the largest and is kept. Large sizes are asked for in huge
// pages where the system offers them, so that filling them costs a few page faults rather
// than one for every 4 KiB.
class CWholeFileBuffer {
public:
    CWholeFileBuffer() = default;
    CWholeFileBuffer(const CWholeFileBuffer&) = delete;
    CWholeFileBuffer& operator=(const CWholeFileBuffer&) = delete;
    ~CWholeFileBuffer();

    // Room for `length` bytes; what the room held before is lost.
    std::uint8_t* Reserve(std::size_t length);

private:
    void Release();

    std::uint8_t* bytes = nullptr;
    std::size_t capacity = 0;
    bool mapped = false;
};

// The whole contents of a file, read in one operation; throws CFileException naming the file.
std::string ReadWholeFile(const std::string& path);

// Whether the descriptor is a terminal, where a person reads output as it comes.
bool IsTerminal(int fd);
