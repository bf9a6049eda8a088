// Lists one folder with the name, kind, size and times of each entry, relative to an open
// folder descriptor, so the process's current directory is never changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct CDirEntry {
    std::string name;
    bool isDirectory = false;
    std::uint64_t size = 0;
    // Seconds since 1970 UTC. The creation time is the birth time where the filesystem
    // records one, else the modification time.
    std::int64_t creationTime = 0;
    std::int64_t modifyTime = 0;
    std::int64_t accessTime = 0;
};

class CDirReader {
public:
    CDirReader() = default;
    CDirReader(const CDirReader&) = delete;
    CDirReader& operator=(const CDirReader&) = delete;
    ~CDirReader();

    // False, with errno set, when the folder cannot be opened.
    bool Open(const std::string& path);
    // Opens the sub-folder `name` of an open folder; symbolic links are never followed.
    bool OpenChild(const CDirReader& parent, const std::string& name);
    // The next entry other than "." and ".."; false at the end or when listing fails.
    bool Next(CDirEntry& entry);
    void Close();
    bool IsOpen() const { return fd >= 0; }

private:
    bool Adopt(int descriptor);

    int fd = -1;
    // Raw entries as the kernel hands them over, many folders' worth of names per call.
    std::unique_ptr<char[]> buffer;
    std::size_t filled = 0;
    std::size_t next = 0;
};
