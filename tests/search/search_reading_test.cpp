// SPDX-License-Identifier: GPL-3.0-or-later
// A search reads one index file after another into the same room, which grows to the largest
// and is kept; large files get room of another kind. Whatever the order of sizes, each disk
// must be searched as it is, the same as through a memory mapping.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "search/coll_search.h"
#include "store/coll_disk_file.h"
#include "store/collection.h"
#include "support/temp_folder.h"

namespace {

class CPaths : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        paths.push_back(result.path.Text());
    }
    std::vector<std::string> paths;
};

// A disk of `files` files at its root; every thousandth is a "marked" one.
std::string WriteDisk(const CTempFolder& folder, const std::string& title, int files) {
    CCollDisk disk;
    for (int i = 0; i < files; ++i) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = "file " + std::to_string(i) + (i % 1000 == 7 ? " marked" : "") + ".dat";
        disk.content.files.Add(std::move(file));
    }
    std::string path = folder.Path(title + ".cdi");
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

}  // namespace

TEST(SearchReading, SmallAndLargeDisksInOneRunAreEachSearchedWhole) {
    CTempFolder folder;
    // 150,000 files make an index file of about 4 MiB.
    const std::vector<std::pair<std::string, int>> disks = {
        {"Small", 30}, {"Large", 150000}, {"Tiny", 3}, {"Medium", 90000}, {"Last", 1000}};
    CCollection collection;
    for (const auto& [title, files] : disks) {
        collection.AddDisk(CCollDisk::OfIndexFile(WriteDisk(folder, title, files)));
    }

    std::vector<std::string> expected;
    for (const auto& [title, files] : disks) {
        for (int i = 7; i < files; i += 1000) {
            expected.push_back(title + ":\\file " + std::to_string(i) + " marked.dat");
        }
    }
    for (bool mapped : {false, true}) {
        CCollSearch search(&collection);
        CPaths found;
        CCollSearchCriteria criteria;
        criteria.useMemoryMappedFile = mapped;
        criteria.SetWords("MARKED");
        search.Run(criteria, found);
        EXPECT_EQ(found.paths, expected) << (mapped ? "mapped" : "read");

        found.paths.clear();
        criteria.words.clear();
        search.Run(criteria, found);
        ASSERT_EQ(found.paths.size(), 30u + 150000u + 3u + 90000u + 1000u);
        EXPECT_EQ(found.paths[30], "Large:\\file 0.dat");
        EXPECT_EQ(found.paths[30 + 150000], "Tiny:\\file 0.dat");
        EXPECT_EQ(found.paths.back(), "Last:\\file 999.dat");
    }
}
