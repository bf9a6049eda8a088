// SPDX-License-Identifier: GPL-3.0-or-later
// The kept corpus of damaged index files (tests/data/damaged, rebuilt by
// scripts/make-damaged-corpus): every damaged one is reported as damaged by every reader,
// every odd but sound one loads, and none of them crashes or hangs anything.

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

// Reads every level as browsing would; the cause of the first failure, or -1.
int BrowseAll(const std::string& path) {
    try {
        CCollDisk disk;
        disk.indexPath = path;
        disk.LoadContent();
        CFile file(path, CFile::Mode::read);
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

TEST(DamagedCorpus, EveryReaderReportsEveryDamagedFile) {
    std::vector<std::filesystem::path> files = CorpusFiles("damaged-");
    ASSERT_GE(files.size(), 20u);
    for (const auto& file : files) {
        std::string path = file.string();
        SCOPED_TRACE(file.filename().string());
        CMessageRecorder messages;
        CCollDisk disk;
        disk.indexPath = path;
        bool headerRead = disk.ReadHeader();
        if (!headerRead) {
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0],
                      "An attempt was made to access " + path + " past its end.");
        }
        EXPECT_EQ(BrowseAll(path), CFileException::endOfFile);
        EXPECT_EQ(SearchAll(path, false), CFileException::endOfFile);
        EXPECT_EQ(SearchAll(path, true), CFileException::endOfFile);
    }
}

TEST(DamagedCorpus, OddNamesLoadButNeverBuildADrivePath) {
    std::vector<std::filesystem::path> files = CorpusFiles("sound-");
    ASSERT_GE(files.size(), 6u);
    CTempFolder root;
    for (const auto& file : files) {
        std::string path = file.string();
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(BrowseAll(path), -1);
        std::vector<CCollItem> found;
        ASSERT_EQ(SearchAll(path, false), -1);
        ASSERT_EQ(SearchAll(path, true, &found), -1);
        ASSERT_EQ(found.size(), 5u);
        bool oddNames = file.filename() != "sound-reference.cdi" &&
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
