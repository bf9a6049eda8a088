// SPDX-License-Identifier: GPL-3.0-or-later
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
    // 0, or the errno of looking at an entry that could be listed but not looked at (in a
    // folder its reader may list but not search): then only the name and, where the listing
    // tells it, the kind are known; size and times are 0 and mean nothing.
    int detailsError = 0;
    std::uint64_t size = 0;
    // Seconds since 1970 UTC. The creation time is the birth time where the filesystem
    // records one, else the modification time.
    std::int64_t creationTime = 0;
    std::int64_t modifyTime = 0;
    std::int64_t accessTime = 0;
};

// Which folder a descriptor leads to, so a folder reached again another way can be checked.
struct CDirIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const CDirIdentity&) const = default;
};

class CDirReader {
public:
    CDirReader() = default;
    CDirReader(const CDirReader&) = delete;
    CDirReader& operator=(const CDirReader&) = delete;
    CDirReader(CDirReader&& other) noexcept;
    CDirReader& operator=(CDirReader&& other) noexcept;
    ~CDirReader();

    // False, with errno set, when the folder cannot be opened.
    bool Open(const std::string& path);
    // Opens the sub-folder `name` of an open folder; symbolic links are never followed.
    bool OpenChild(const CDirReader& parent, const std::string& name);
    // Opens the folder that holds the open folder `child`.
    bool OpenParent(const CDirReader& child);
    // The next entry other than "." and ".."; false at the end or when listing fails (then
    // errno is set and Failed() is true). The listing's buffer goes back to a pool at the
    // end, so a reader kept open afterwards costs a descriptor and no more. An entry that
    // vanished since the listing is left out.
    bool Next(CDirEntry& entry);
    void Close();
    bool IsOpen() const { return fd >= 0; }
    // Whether the listing ended with an error rather than at its end.
    bool Failed() const { return listError != 0; }
    int ListError() const { return listError; }
    // False, with errno set, when the open folder cannot be asked what it is.
    bool GetIdentity(CDirIdentity& identity) const;

private:
    bool Adopt(int descriptor);
    void ReleaseBuffer();

    int fd = -1;
    // Raw entries as the kernel hands them over, many folders' worth of names per call;
    // held only while the folder is being listed.
    std::unique_ptr<char[]> buffer;
    std::size_t filled = 0;
    std::size_t next = 0;
    bool atEnd = false;
    int listError = 0;
};
