// SPDX-License-Identifier: GPL-3.0-or-later
// The kept corpus of damaged index files (tests/data/damaged, rebuilt by
// scripts/make-damaged-corpus): every damaged one is reported as damaged by each reader that
// meets the damage, every odd but sound one loads, and none of them crashes or hangs anything.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "disk/item_path.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"
#include "store/record_reader.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "support/whole_tree.h"

namespace {

std::vector<std::filesystem::path> CorpusFiles(const std::string& prefix) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TAMBLOR_SOURCE_DIR) +
                                                                 "/tests/data/damaged")) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CPaths : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        items.push_back({result.type->id, result.path});
    }
    std::vector<CCollItem> items;
};

// Which readers meet the damage of a file, by its name. The header's reader checks only the
// fixed part of the extension; browsing checks the rest of the block and every entry naming an
// item it reads; a key that names no item is seen only by the search, which walks the whole
// tree. Older cases leave the header alone or cut it short, and browsing meets them all.
struct CFinders {
    enum Header { reads, refuses, either } header = either;
    bool browsing = true;
};

CFinders FindersOf(const std::string& name) {
    auto startsWith = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
    if (startsWith("damaged-extension-head-")) {
        return {CFinders::refuses, true};
    }
    if (startsWith("damaged-extension-orphan-")) {
        return {CFinders::reads, false};
    }
    if (startsWith("damaged-extension-")) {
        return {CFinders::reads, true};
    }
    return {};
}

// Reads every level as browsing would; the cause of the first failure, or -1.
int BrowseAll(const std::string& path) {
    try {
        CCollDisk disk;
        disk.indexPath = path;
        LoadWholeTree(disk);
        return -1;
    } catch (const CFileException& error) {
        return error.GetCause();
    }
}

// Searches the file alone in one reading mode; the cause of the failure, or -1.
int SearchAll(const std::string& path, bool mapped, std::vector<CCollItem>* found = nullptr) {
    CCollection collection;
    auto disk = std::make_unique<CCollDisk>("Disk");
    disk->indexPath = path;
    collection.AddDisk(std::move(disk));
    CCollSearch search(&collection);
    CPaths receiver;
    CCollSearchCriteria criteria;
    criteria.useMemoryMappedFile = mapped;
    try {
        search.Run(criteria, receiver);
    } catch (const CFileException& error) {
        EXPECT_FALSE(search.IsBusy());
        return error.GetCause();
    }
    if (found != nullptr) {
        *found = receiver.items;
    }
    return -1;
}

}  // namespace

TEST(DamagedCorpus, EachReaderThatMeetsTheDamageReportsIt) {
    std::vector<std::filesystem::path> files = CorpusFiles("damaged-");
    ASSERT_GE(files.size(), 40u);
    for (const auto& file : files) {
        std::string path = file.string();
        SCOPED_TRACE(file.filename().string());
        CFinders finders = FindersOf(file.filename().string());
        CCollDisk disk;
        disk.indexPath = path;
        CResult header = disk.ReadHeader();
        bool headerRead = static_cast<bool>(header);
        if (finders.header != CFinders::either) {
            EXPECT_EQ(headerRead, finders.header == CFinders::reads);
        }
        if (!headerRead) {
            EXPECT_EQ(header.GetProblems().GetTexts(),
                      std::vector<std::string>{"An attempt was made to access " + path +
                                               " past its end."});
        }
        EXPECT_EQ(BrowseAll(path), finders.browsing ? CFileException::endOfFile : -1);
        EXPECT_EQ(SearchAll(path, false), CFileException::endOfFile);
        EXPECT_EQ(SearchAll(path, true), CFileException::endOfFile);
    }
}

TEST(DamagedCorpus, OddNamesLoadButNeverBuildADrivePath) {
    std::vector<std::filesystem::path> files = CorpusFiles("sound-");
    ASSERT_GE(files.size(), 8u);
    CTempFolder root;
    for (const auto& file : files) {
        std::string path = file.string();
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(BrowseAll(path), -1);
        std::vector<CCollItem> found;
        ASSERT_EQ(SearchAll(path, false), -1);
        ASSERT_EQ(SearchAll(path, true, &found), -1);
        ASSERT_EQ(found.size(), 5u);
        bool oddNames = file.filename().string().rfind("sound-names-", 0) == 0 &&
                        file.filename() != "sound-names-invalid-utf8.cdi";
        int refused = 0;
        for (const CCollItem& item : found) {
            std::string drivePath;
            if (!ResolveDrivePath(root.Path(), item, drivePath)) {
                ++refused;
            } else {
                EXPECT_TRUE(drivePath == root.Path() || drivePath.rfind(root.Path() + "/", 0) == 0)
                    << item.path.Text();
            }
        }
        EXPECT_EQ(refused > 0, oddNames);
    }
}
