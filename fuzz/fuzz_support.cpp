// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_disk.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"

namespace {

std::vector<std::string>& ScratchFolders() {
    static std::vector<std::string> folders;
    return folders;
}

void RemoveScratchFolders() {
    for (const std::string& folder : ScratchFolders()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

}  // namespace

std::string MakeScratchFolder() {
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    pattern += "/tamblor-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    if (ScratchFolders().empty()) {
        std::atexit(RemoveScratchFolders);
    }
    ScratchFolders().push_back(pattern);
    return pattern;
}

CMemoryFile::CMemoryFile() : fd(::memfd_create("tamblor-fuzz", MFD_CLOEXEC)) {
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    path = "/proc/self/fd/" + std::to_string(fd);
}

CMemoryFile::~CMemoryFile() {
    ::close(fd);
}

const std::string& CMemoryFile::Write(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd, 0) != 0 ||
        (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))) {
        std::perror("memfd write");
        std::abort();
    }
    return path;
}

std::string InputText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::uint32_t InputU32(const std::uint8_t* data, std::size_t size, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < size; ++i) {
        value |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
    }
    return value;
}

bool LoadWholeTree(CCollDisk& disk) {
    try {
        disk.LoadContent();
        CFile file(disk.indexPath, CFile::Mode::read);
        CRecordReader reader(file);
        std::vector<CCollDiskFolder*> pending;
        for (const auto& folder : disk.content.folders) {
            pending.push_back(folder.get());
        }
        while (!pending.empty()) {
            CCollDiskFolder* folder = pending.back();
            pending.pop_back();
            folder->LoadSubfolders(reader);
            for (const auto& sub : folder->content.folders) {
                pending.push_back(sub.get());
            }
        }
        return true;
    } catch (const CFileException&) {
        return false;
    }
}
