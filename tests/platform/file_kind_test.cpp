// SPDX-License-Identifier: GPL-3.0-or-later
// A FIFO, a device or a folder where a file is expected is refused at once, by every way the
// program opens, maps or replaces a file; nothing waits for a writer that never comes.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "platform/atomic_file.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/mem_map_file.h"
#include "support/hang_guard.h"
#include "support/temp_folder.h"

namespace {

std::string OpenError(const std::string& path, CFile::Mode mode) {
    try {
        CFile file(path, mode);
    } catch (const CFileException& error) {
        return error.GetErrorMessage();
    }
    return std::string();
}

std::string ReplaceError(const std::string& path) {
    try {
        CAtomicFile out(path);
        out.File().Write("x", 1);
        out.Commit();
    } catch (const CFileException& error) {
        return error.GetErrorMessage();
    }
    return std::string();
}

bool IsFifo(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

}  // namespace

TEST(FileKind, FifosDevicesAndFoldersAreRefusedAsNotFiles) {
    CHangGuard guard;
    CTempFolder folder;
    std::string fifo = folder.Path("pipe.cdi");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string toFifo = folder.Path("link.cdi");
    ASSERT_EQ(::symlink("pipe.cdi", toFifo.c_str()), 0);
    std::string sub = folder.Path("sub");
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);

    for (const std::string& path : {fifo, toFifo, std::string("/dev/null"), sub}) {
        for (CFile::Mode mode : {CFile::Mode::read, CFile::Mode::readWrite, CFile::Mode::create}) {
            EXPECT_EQ(OpenError(path, mode), path + " is not a file.")
                << path << " mode " << static_cast<int>(mode);
        }
        CMemMapFile map;
        EXPECT_FALSE(map.Open(path)) << path;
        EXPECT_EQ(map.fileHandle, -1);
    }
    // The writer must not turn a FIFO or a folder into a file, even through a link.
    for (const std::string& path : {fifo, toFifo, sub}) {
        EXPECT_EQ(ReplaceError(path), path + " is not a file.");
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_TRUE(std::filesystem::is_directory(sub));
    EXPECT_TRUE(std::filesystem::is_empty(sub));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);

    // An ordinary file still opens, and reads once the open is done with its checks.
    std::string plain = folder.Write("plain.cdi", "abc");
    EXPECT_EQ(OpenError(plain, CFile::Mode::read), "");
    CFile file(plain, CFile::Mode::readWrite);
    char bytes[3] = {};
    EXPECT_EQ(file.Read(bytes, 3), 3u);
    file.Close();
}
