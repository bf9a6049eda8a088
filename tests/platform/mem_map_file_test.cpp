// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mem_map_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace {

void ExpectClosed(const CMemMapFile& map) {
    EXPECT_EQ(map.fileHandle, -1);
    EXPECT_EQ(map.view, nullptr);
    EXPECT_EQ(map.fileSize, 0u);
}

}  // namespace

TEST(MemMapFile, MapsAWholeFileAndClosesAgain) {
    CTempFolder folder;
    std::string path = folder.Write("Disk 1.cdi", "index data");
    CMemMapFile map;
    ASSERT_TRUE(map.Open(path));
    EXPECT_GE(map.fileHandle, 0);
    ASSERT_EQ(map.fileSize, 10u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(map.view), map.fileSize), "index data");
    map.Close();
    ExpectClosed(map);
    map.Close();
    ExpectClosed(map);
    // The object can be used again after closing.
    EXPECT_TRUE(map.Open(path));
}

TEST(MemMapFile, RefusesWhatCannotBeMapped) {
    CTempFolder folder;
    std::string empty = folder.Write("empty.cdi");
    std::string data = folder.Write("data.cdi", "0123456789");
    CMemMapFile map;
    ASSERT_TRUE(map.Open(data));
    // A failed open leaves nothing of the mapping before it.
    EXPECT_FALSE(map.Open(empty));
    ExpectClosed(map);
    EXPECT_FALSE(map.Open(folder.Path("missing.cdi")));
    ExpectClosed(map);
    EXPECT_FALSE(map.Open(folder.Path()));
    ExpectClosed(map);

    std::string huge = folder.Write("huge.cdi");
    std::error_code error;
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 32, error);
    if (!error) {
        EXPECT_FALSE(map.Open(huge));
        ExpectClosed(map);
    }
}
