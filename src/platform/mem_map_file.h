// SPDX-License-Identifier: GPL-3.0-or-later
// A whole existing file mapped read-only into memory, for reading an index file without
// copying it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CMemMapFile {
public:
    CMemMapFile() = default;
    CMemMapFile(const CMemMapFile&) = delete;
    CMemMapFile& operator=(const CMemMapFile&) = delete;
    ~CMemMapFile();

    // Maps the whole file; false, with the object closed, when the file is missing, not a
    // regular file, empty, 4 GiB or larger, or cannot be mapped.
    bool Open(const std::string& path);
    // Open, throwing on failure the file error an ordinary open gives, or the end-of-file
    // error for a file that opens but cannot be mapped (empty, or too large).
    void OpenOrThrow(const std::string& path);
    // Releases everything; safe to call on a closed object.
    void Close();

    int fileHandle = -1;
    const std::uint8_t* view = nullptr;
    std::uint32_t fileSize = 0;

private:
    bool Map(const std::string& path);
};
