// SPDX-License-Identifier: GPL-3.0-or-later
// What the totals, folder, file and collection boxes show.

#include "shell/property_texts.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <string>

#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

TEST(PropertyTexts, TotalsComeFromTheHeadersAndTheByteTotalNeverWraps) {
    CCollection collection;
    CCollTotalsTexts empty = GetTotalsTexts(collection);
    EXPECT_EQ(empty.disks, "0");
    EXPECT_EQ(empty.folders, "0");
    EXPECT_EQ(empty.files, "0");
    EXPECT_EQ(empty.totalSize, "0");

    for (int i = 0; i < 2; ++i) {
        auto disk = std::make_unique<CCollDisk>("Disk" + std::to_string(i));
        disk->header.totalBytes = 4000000000u;
        disk->header.totalFiles = 600000;
        disk->header.totalFolders = 700;
        collection.AddDisk(std::move(disk));
    }
    CCollTotalsTexts texts = GetTotalsTexts(collection);
    EXPECT_EQ(texts.disks, "2");
    EXPECT_EQ(texts.folders, "1,400");
    EXPECT_EQ(texts.files, "1,200,000");
    EXPECT_EQ(texts.totalSize, "8,000,000,000");
}

TEST(PropertyTexts, ItemsShowLocalTimesAnUnknownTimeAsNothingAndFileSizesUnsigned) {
    CTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    std::setlocale(LC_TIME, "C");
    CCollDiskFile file;
    file.name = "beach.jpg";
    file.creationTime = 1167066000;  // 2006-12-25 12:00 in New York
    file.accessTime = CCollDiskItem::unknownTime;
    file.modifyTime = 0;
    file.size = 5000000000u;
    CCollItemTexts texts = GetItemTexts(file);
    EXPECT_EQ(texts.caption, "File properties");
    EXPECT_EQ(texts.heading, "File");
    EXPECT_EQ(texts.name, "beach.jpg");
    EXPECT_EQ(texts.created, "Mon Dec 25 12:00:00 2006");
    EXPECT_EQ(texts.accessed, "");
    EXPECT_EQ(texts.modified, "Wed Dec 31 19:00:00 1969");
    EXPECT_TRUE(texts.hasSize);
    EXPECT_EQ(texts.size, "5,000,000,000");

    CCollDiskFolder folder;
    folder.name = "Photos";
    CCollItemTexts folderTexts = GetItemTexts(folder);
    EXPECT_EQ(folderTexts.caption, "Folder properties");
    EXPECT_EQ(folderTexts.heading, "Folder");
    EXPECT_FALSE(folderTexts.hasSize);
    EXPECT_EQ(folderTexts.size, "");
}

TEST(PropertyTexts, CollectionShowsItsFileTimesFromTheFileSystem) {
    CTimeZone zone("UTC0");
    std::setlocale(LC_TIME, "C");
    CTempFolder folder;
    std::string path = folder.Write("Music.col", "\n");
    // A last write long before the file was made: the creation shown is the birth time where
    // the file system keeps one, and the last write only where it does not.
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    CCollection collection;
    collection.AddDisk(std::make_unique<CCollDisk>("A"));
    CCollCollectionTexts texts = GetCollectionTexts(collection, path);
    EXPECT_EQ(texts.file, path);
    EXPECT_EQ(texts.modified, "Sun Sep  9 01:46:40 2001");
    struct statx status {};
    ASSERT_EQ(::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &status), 0);
    bool keepsBirth = (status.stx_mask & STATX_BTIME) != 0;
    EXPECT_EQ(texts.creation == texts.modified, !keepsBirth) << texts.creation;
    EXPECT_EQ(texts.disks, "1");

    // Never saved, or gone since: no times, and no failure.
    CCollCollectionTexts gone = GetCollectionTexts(collection, folder.Path("gone.col"));
    EXPECT_EQ(gone.creation, "");
    EXPECT_EQ(gone.modified, "");
    EXPECT_EQ(GetCollectionTexts(CCollection(), "").disks, "0");
}
