// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/collection.h"
#include "support/temp_folder.h"

namespace {

// Bytes this process has read through system calls so far.
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

// A disk whose bulk sits two levels down, where loading the root must not reach.
std::string WriteDeepDisk(const CTempFolder& folder, const std::string& name) {
    CCollDisk disk;
    auto top = std::make_unique<CCollDiskFolder>();
    top->name = "Top";
    auto bulk = std::make_unique<CCollDiskFolder>();
    bulk->name = "Bulk";
    for (int i = 0; i < 20000; ++i) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = "file-number-" + std::to_string(i) + ".dat";
        bulk->content.files.Add(std::move(file));
    }
    top->content.folders.Add(std::move(bulk));
    disk.content.folders.Add(std::move(top));
    disk.ComputeTotals();
    std::string path = folder.Path(name);
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

}  // namespace

TEST(ReadEconomy, LoadingReadsHeadersAndLevelsNotWholeFiles) {
    if (BytesRead() < 0) {
        GTEST_SKIP() << "/proc/self/io is not readable here";
    }
    CTempFolder folder;
    std::string first = WriteDeepDisk(folder, "one.cdi");
    WriteDeepDisk(folder, "two.cdi");
    WriteDeepDisk(folder, "three.cdi");
    std::string col = folder.Write("all.col", "one.cdi\r\ntwo.cdi\r\nthree.cdi\r\n");
    std::uintmax_t indexSize = std::filesystem::file_size(first);
    ASSERT_GT(indexSize, 500000u);

    long long before = BytesRead();
    CCollection collection;
    ASSERT_TRUE(CCollLoader(collection).Load(col));
    long long loading = BytesRead() - before;
    ASSERT_EQ(collection.disks.size(), 3u);
    EXPECT_EQ(collection.disks[0]->header.totalFiles, 20000);
    // Reading /proc/self/io itself accounts for a few hundred bytes.
    EXPECT_LE(loading, static_cast<long long>(3 * 344 + std::filesystem::file_size(col) + 1024));

    before = BytesRead();
    collection.disks[0]->LoadContent();
    long long level = BytesRead() - before;
    ASSERT_EQ(collection.disks[0]->content.folders.size(), 1u);
    EXPECT_EQ(collection.disks[0]->content.folders[0]->content.folders[0]->name, "Bulk");
    EXPECT_LT(level, static_cast<long long>(indexSize / 4));
}
