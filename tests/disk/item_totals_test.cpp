// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/item_totals.h"

#include <gtest/gtest.h>

#include <memory>

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_item.h"
#include "support/temp_folder.h"

TEST(ItemTotals, AFolderOfFilmsCountsTheirWholeSizes) {
    CTempFolder folder;
    CCollDisk disk;
    auto films = std::make_unique<CCollDiskFolder>();
    films->name = "Films";
    for (std::uint64_t size : {5ULL << 30, 10ULL, (4ULL << 30) + 7}) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = "film" + std::to_string(size);
        file->size = size;
        films->content.files.Add(std::move(file));
    }
    disk.content.folders.Add(std::move(films));
    disk.ComputeTotals();
    disk.indexPath = folder.Path("Films.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(disk.indexPath));

    CCatalogueTotals totals;
    CCollItem item{2, {"Films", {"Films"}}};
    ASSERT_TRUE(CountCatalogueSubtree(disk, item, totals));
    EXPECT_EQ(totals.files, 3u);
    EXPECT_EQ(totals.bytes, (9ULL << 30) + 17);
    item.path.names.clear();
    ASSERT_TRUE(CountCatalogueSubtree(disk, item, totals));
    EXPECT_EQ(totals.folders, 1u);
    EXPECT_EQ(totals.bytes, disk.header.totalBytes);
}
