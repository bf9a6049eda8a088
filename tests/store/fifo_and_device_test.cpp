// SPDX-License-Identifier: GPL-3.0-or-later
// Index and collection files named by a FIFO, a device or a folder: every reader refuses them
// at once with a message that says so, instead of waiting on a FIFO for ever.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "store/coll_disk.h"
#include "store/coll_loader.h"
#include "store/collection.h"
#include "support/hang_guard.h"
#include "support/temp_folder.h"

namespace {

class CIgnoreResults : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& /*result*/) override {}
};

struct CPlaces {
    CPlaces() {
        EXPECT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        EXPECT_EQ(::mkdir(sub.c_str(), 0755), 0);
    }
    CTempFolder folder;
    std::string fifo = folder.Path("pipe.cdi");
    std::string sub = folder.Path("sub.cdi");
    std::vector<std::string> All() const { return {fifo, "/dev/null", sub}; }
};

}  // namespace

TEST(FifoAndDevice, IndexAndCollectionReadersRefuseThemAtOnce) {
    CHangGuard guard;
    CPlaces places;
    for (const std::string& path : places.All()) {
        const std::string notAFile = path + " is not a file.";
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
        EXPECT_EQ(disk->ReadHeader().GetProblems().GetTexts(), std::vector<std::string>{notAFile});
        CCollection collection;
        CCollLoader loader(collection);
        EXPECT_FALSE(loader.Load(path));
        EXPECT_EQ(loader.GetProblems().GetTexts(), std::vector<std::string>{notAFile});

        // Named inside a collection file, it is one disk that fails to load.
        std::string list = places.folder.Write("list.col", path + "\r\n");
        CCollLoader listLoader(collection);
        EXPECT_TRUE(listLoader.Load(list));
        EXPECT_EQ(listLoader.GetProblems().GetTexts(),
                  (std::vector<std::string>{notAFile, "Failed loading disk " + path}));
        EXPECT_EQ(collection.disks.size(), 0u);
    }
}

TEST(FifoAndDevice, SearchRefusesThemInBothReadingModes) {
    CHangGuard guard;
    CPlaces places;
    for (const std::string& path : places.All()) {
        CCollection collection;
        collection.disks.Add(CCollDisk::OfIndexFile(path));
        CIgnoreResults results;
        CCollSearch search(&collection);
        for (bool mapped : {false, true}) {
            CCollSearchCriteria criteria;
            criteria.useMemoryMappedFile = mapped;
            try {
                search.Run(criteria, results);
                ADD_FAILURE() << path << " was searched";
            } catch (const CFileException& error) {
                EXPECT_EQ(error.GetErrorMessage(), path + " is not a file.") << mapped;
            }
            EXPECT_FALSE(search.IsBusy());
        }
    }
}
