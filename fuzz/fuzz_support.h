// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: a scratch folder that lives as long as the process, and an
// input file in memory that each run rewrites.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CCollDisk;

// A fresh folder in /dev/shm (or /tmp), removed when the process exits.
std::string MakeScratchFolder();

// A file without a name on any disk (memfd), opened by its /proc path. Write() replaces its
// contents; the path stays the same for the whole run.
class CMemoryFile {
public:
    CMemoryFile();
    CMemoryFile(const CMemoryFile&) = delete;
    CMemoryFile& operator=(const CMemoryFile&) = delete;
    ~CMemoryFile();

    const std::string& Write(const std::uint8_t* data, std::size_t size);
    const std::string& Path() const { return path; }
    int Descriptor() const { return fd; }

private:
    int fd = -1;
    std::string path;
};

// The input as text, and its little-endian 32-bit value at `at` (0 past the end).
std::string InputText(const std::uint8_t* data, std::size_t size);
std::uint32_t InputU32(const std::uint8_t* data, std::size_t size, std::size_t at);

// Loads every level of the disk's tree as browsing would expand it; false when the file
// turned out damaged.
bool LoadWholeTree(CCollDisk& disk);
