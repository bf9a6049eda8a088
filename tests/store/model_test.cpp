// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"

namespace {

CCollDisk* AddDisk(CCollection& collection, const std::string& title, std::uint64_t bytes = 0) {
    auto disk = std::make_unique<CCollDisk>(title);
    disk->header.totalBytes = bytes;
    return collection.AddDisk(std::move(disk));
}

std::vector<std::string> Titles(const CCollection& collection) {
    std::vector<std::string> titles;
    for (const auto& disk : collection.disks) {
        titles.push_back(disk->title);
    }
    return titles;
}

CCollDiskFile* AddFile(CCollDiskContent& content, const std::string& name, std::uint64_t size) {
    auto file = std::make_unique<CCollDiskFile>();
    file->name = name;
    file->size = size;
    return content.files.Add(std::move(file));
}

}  // namespace

TEST(Model, DisksSortByTheChosenFieldAndIgnoreOthers) {
    CCollection collection;
    AddDisk(collection, "a", 3);
    AddDisk(collection, "B", 0x80000000u);  // over 2 GiB still sorts after small disks
    AddDisk(collection, "C", 1);
    // A disk of 5 GiB + 1 sorts last, not by its low 32 bits (1).
    AddDisk(collection, "D", (5ULL << 30) + 1);
    collection.SortDisks(FieldName);
    EXPECT_EQ(Titles(collection), (std::vector<std::string>{"B", "C", "D", "a"}));
    for (int ignored : {int{FieldCreation}, int{FieldAccess}, int{FieldModify}, int{FieldType},
                        int{FieldPath}, 42}) {
        collection.SortDisks(ignored);
        EXPECT_EQ(Titles(collection), (std::vector<std::string>{"B", "C", "D", "a"}));
    }
    collection.SortDisks(FieldSize);
    EXPECT_EQ(Titles(collection), (std::vector<std::string>{"C", "a", "B", "D"}));
    collection.disks[2]->header.totalBytes = 2;
    collection.SortDisks(FieldSize);
    EXPECT_EQ(Titles(collection), (std::vector<std::string>{"C", "B", "a", "D"}));
    collection.SortDisks(FieldSize);
    EXPECT_EQ(Titles(collection), (std::vector<std::string>{"C", "B", "a", "D"}));
}

TEST(Model, QuicksortOrdersLargeArraysWithManyEqualKeys) {
    CCollDiskContent content;
    std::mt19937 random(7);
    std::vector<std::uint64_t> sizes;
    for (int i = 0; i < 5000; ++i) {
        // Some over 2^31, some over 2^32, where the low 32 bits would order them otherwise.
        std::uint64_t size =
            (std::uint64_t{random() % 3} << 32) + (static_cast<std::uint32_t>(random() % 50) - 25);
        sizes.push_back(size);
        AddFile(content, "f" + std::to_string(i), size);
    }
    content.SortFiles(FieldSize);
    std::sort(sizes.begin(), sizes.end());
    ASSERT_EQ(content.files.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ASSERT_EQ(content.files[i]->size, sizes[i]) << i;
    }
}

TEST(Model, FilesSortIgnoringCaseAndFoldersStayPut) {
    CCollDiskContent content;
    for (const char* name : {"Zeta", "alpha"}) {
        auto folder = std::make_unique<CCollDiskFolder>();
        folder->name = name;
        content.folders.Add(std::move(folder));
    }
    AddFile(content, "C", 1);
    AddFile(content, "a", 3);
    AddFile(content, "B", 2);
    content.SortFiles(FieldName);
    EXPECT_EQ(content.files[0]->name, "a");
    EXPECT_EQ(content.files[1]->name, "B");
    EXPECT_EQ(content.files[2]->name, "C");
    EXPECT_EQ(content.folders[0]->name, "Zeta");
    content.SortFiles(FieldBurnDate);
    EXPECT_EQ(content.files[0]->name, "a");
    content.SortFiles(FieldSize);
    EXPECT_EQ(content.files[0]->name, "C");
}

TEST(Model, LookupsRemovalAndDescriptionLimits) {
    CCollection collection;
    CCollDisk* disk = AddDisk(collection, "Disk");
    disk->indexPath = "/cds/a.cdi";
    CCollDisk* other = AddDisk(collection, "Other");
    EXPECT_EQ(collection.FindDiskByTitle("Disk"), disk);
    EXPECT_EQ(collection.FindDiskByTitle("disk"), nullptr);
    EXPECT_EQ(collection.FindDiskByIndexPath("/CDS/A.CDI"), disk);
    EXPECT_EQ(collection.FindDiskByIndexPath("/cds/a.cd"), nullptr);

    CCollDisk stranger;
    EXPECT_EQ(collection.RemoveDisk(&stranger), nullptr);
    EXPECT_EQ(collection.disks.size(), 2u);
    std::unique_ptr<CCollDisk> removed = collection.RemoveDisk(disk);
    EXPECT_EQ(removed.get(), disk);
    ASSERT_EQ(collection.disks.size(), 1u);
    EXPECT_EQ(collection.disks[0], other);

    CCollDiskHeader header;
    EXPECT_TRUE(header.SetDescription(std::string(255, 'x')));
    EXPECT_FALSE(header.SetDescription(std::string(256, 'y')));
    EXPECT_EQ(header.GetDescription(), std::string(255, 'x'));
    header.SetLabel(std::string(62, 'l') + "\xC3\xA9");
    EXPECT_EQ(header.GetLabel(), std::string(62, 'l'));
}

TEST(Model, TotalsCountEveryDepthExactly) {
    CCollDisk empty;
    empty.ComputeTotals();
    EXPECT_EQ(empty.header.totalFiles, 0);
    EXPECT_EQ(empty.header.totalFolders, 0);
    EXPECT_EQ(empty.header.totalBytes, 0u);

    CCollDisk disk;
    auto a = std::make_unique<CCollDiskFolder>();
    auto b = std::make_unique<CCollDiskFolder>();
    AddFile(b->content, "big", 0xFFFFFFF0u);
    AddFile(a->content, "ten", 10);
    AddFile(a->content, "twenty", 20);
    a->content.folders.Add(std::move(b));
    disk.content.folders.Add(std::move(a));
    disk.ComputeTotals();
    EXPECT_EQ(disk.header.totalFiles, 3);
    EXPECT_EQ(disk.header.totalFolders, 2);
    EXPECT_EQ(disk.header.totalBytes, 30ULL + 0xFFFFFFF0u);

    CCollection collection;
    CCollTotals totals;
    collection.GetTotals(totals);
    EXPECT_EQ(totals.disks, 0);
    EXPECT_EQ(totals.bytes, 0u);
    AddDisk(collection, "one", 4000000000u)->header.totalFiles = 5;
    AddDisk(collection, "two", 4000000000u)->header.totalFolders = 7;
    collection.GetTotals(totals);
    EXPECT_EQ(totals.disks, 2);
    EXPECT_EQ(totals.files, 5);
    EXPECT_EQ(totals.folders, 7);
    EXPECT_EQ(totals.bytes, 8000000000u);
}

TEST(Model, TimesAndRanges) {
    CCollDiskFile file;
    file.creationTime = 10;
    file.accessTime = 20;
    file.modifyTime = 30;
    EXPECT_EQ(file.GetTime(0), 10);
    EXPECT_EQ(file.GetTime(1), 20);
    EXPECT_EQ(file.GetTime(2), 30);
    Time64 now = CurrentTime();
    EXPECT_GE(file.GetTime(7), now);
    EXPECT_TRUE(file.IsTimeInRange(0, 10, 10));
    EXPECT_TRUE(file.IsTimeInRange(2, 0, 30));
    EXPECT_FALSE(file.IsTimeInRange(1, 21, 100));

    EXPECT_EQ(ToTime32(0), 0);
    EXPECT_EQ(ToTime32(2147483647), 2147483647);
    EXPECT_EQ(ToTime32(2147483648LL), -1);
    EXPECT_EQ(ToTime32(-86400), -1);                      // 1969
    EXPECT_EQ(ToTime32(-2208988800LL - 86400 * 400), 0);  // before 1900
}
