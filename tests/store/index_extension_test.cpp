// SPDX-License-Identifier: GPL-3.0-or-later
// Values that 32 bits cannot hold, through the index file's extension: what the writer puts
// down, what every reader takes back, and what a reader of the tree alone still sees.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "search/coll_search.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"
#include "store/record_reader.h"
#include "support/temp_folder.h"
#include "support/whole_tree.h"

namespace {

constexpr std::uint64_t gib = std::uint64_t{1} << 30;
// 2040-01-01, 1960-01-01 and 1850-01-01 UTC.
constexpr Time64 y2040 = 2208988800;
constexpr Time64 y1960 = -315619200;
constexpr Time64 y1850 = -3786825600;

std::string CorpusFile(const std::string& name) {
    return CTempFolder::Read(std::string(TAMBLOR_SOURCE_DIR) + "/tests/data/damaged/" + name);
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

void SetTimes(CCollDiskItem& item, Time64 access, Time64 creation, Time64 modify) {
    item.accessTime = access;
    item.creationTime = creation;
    item.modifyTime = modify;
}

// The disk of scripts/make-damaged-corpus: folder A holding folder B (with c.txt) and d.txt,
// and a root file e.txt, with the sizes given and, when `odd`, B created in 2040 and d.txt's
// times in 2040, 1960 and 1850.
void BuildDisk(CCollDisk& disk, std::uint64_t c, std::uint64_t d, std::uint64_t e, bool odd) {
    disk.header.serial = 0x1234ABCD;
    disk.header.burnDate = 1151755200;
    disk.header.SetLabel("LABEL");
    auto addFile = [](CCollDiskContent& content, const char* name, std::uint64_t size) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = name;
        file->size = size;
        SetTimes(*file, 1100000001, 1100000002, 1100000003);
        return content.files.Add(std::move(file));
    };
    auto addFolder = [](CCollDiskContent& content, const char* name) {
        auto folder = std::make_unique<CCollDiskFolder>();
        folder->name = name;
        SetTimes(*folder, 1100000001, 1100000002, 1100000003);
        return content.folders.Add(std::move(folder));
    };
    CCollDiskFolder* a = addFolder(disk.content, "A");
    CCollDiskFolder* b = addFolder(a->content, "B");
    addFile(b->content, "c.txt", c);
    CCollDiskFile* dFile = addFile(a->content, "d.txt", d);
    addFile(disk.content, "e.txt", e);
    if (odd) {
        b->creationTime = y2040;
        SetTimes(*dFile, y2040, y1960, y1850);
    }
    disk.ComputeTotals();
}

class CResults : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override { found.push_back(result); }
    std::vector<CCollSearchResult> found;
};

// The items created within a second of `time`, found by the search in one reading mode.
std::vector<CCollSearchResult> CreatedAround(const std::string& path, Time64 time, bool mapped) {
    CCollection collection;
    collection.AddDisk(std::make_unique<CCollDisk>("Disk"))->indexPath = path;
    CCollSearch search(&collection);
    CCollSearchCriteria criteria;
    criteria.useMemoryMappedFile = mapped;
    criteria.timeKind = CCollDiskItem::timeCreation;
    criteria.timeFrom = time - 1;
    criteria.timeTo = time + 1;
    CResults results;
    search.Run(criteria, results);
    return results.found;
}

}  // namespace

TEST(IndexExtension, BigValuesComeBackExactWhileTheTreeKeepsItsPlainFields) {
    CTempFolder folder;
    std::string path = folder.Path("big.cdi");
    CCollDisk written;
    BuildDisk(written, 5 * gib + 10, 20, 3 * gib, true);
    ASSERT_TRUE(written.SaveIndexFile(path));
    std::string bytes = CTempFolder::Read(path);
    // The script writes the layout from the format's description, not from the writer.
    EXPECT_EQ(bytes, CorpusFile("sound-extension.cdi"));

    CCollDisk disk;
    disk.indexPath = path;
    ASSERT_TRUE(disk.ReadHeader());
    EXPECT_EQ(disk.header.totalBytes, 8 * gib + 30);
    EXPECT_EQ(disk.header.totalFiles, 3u);
    EXPECT_EQ(disk.header.totalFolders, 2u);
    LoadWholeTree(disk);
    CCollDiskFolder& a = *disk.content.folders[0];
    CCollDiskFolder& b = *a.content.folders[0];
    CCollDiskFile& c = *b.content.files[0];
    CCollDiskFile& d = *a.content.files[0];
    CCollDiskFile& e = *disk.content.files[0];
    EXPECT_EQ(c.size, 5 * gib + 10);
    EXPECT_EQ(e.size, 3 * gib);
    EXPECT_EQ(b.creationTime, y2040);
    EXPECT_EQ(b.accessTime, 1100000001);
    EXPECT_EQ(d.accessTime, y2040);
    EXPECT_EQ(d.creationTime, y1960);
    EXPECT_EQ(d.modifyTime, y1850);

    // A reader of the tree alone: the header's fields, the records' fields, and a tree that
    // ends where the header's first four bytes say the block begins.
    std::uint32_t blockAt = U32At(bytes, 0);
    EXPECT_EQ(bytes.size() - blockAt, indexExtension::headSize + indexExtension::sizeEntrySize +
                                          2 * indexExtension::timeEntrySize);
    EXPECT_EQ(U32At(bytes, 332), 3u);
    EXPECT_EQ(U32At(bytes, 336), 2u);
    EXPECT_EQ(U32At(bytes, 340), 30u);
    auto fieldsOf = [&](const CCollDiskItem& item) { return item.offset + 1 + item.name.size(); };
    EXPECT_EQ(U32At(bytes, fieldsOf(c) + 12), gib + 10);
    EXPECT_EQ(U32At(bytes, fieldsOf(e) + 12), 3 * gib);
    // Access, creation, modify: -1 for a time outside 1970..2038, 0 for one before 1900.
    EXPECT_EQ(U32At(bytes, fieldsOf(d)), UINT32_MAX);
    EXPECT_EQ(U32At(bytes, fieldsOf(d) + 4), UINT32_MAX);
    EXPECT_EQ(U32At(bytes, fieldsOf(d) + 8), 0u);
    EXPECT_EQ(U32At(bytes, fieldsOf(b) + 4), UINT32_MAX);
    EXPECT_EQ(fieldsOf(e) + 16, blockAt);

    for (bool mapped : {false, true}) {
        SCOPED_TRACE(mapped ? "mapped" : "read");
        std::vector<CCollSearchResult> found = CreatedAround(path, y1960, mapped);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].name, "d.txt");
        EXPECT_EQ(found[0].accessTime, y2040);
        EXPECT_EQ(found[0].modifyTime, y1850);
        found = CreatedAround(path, y2040, mapped);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].name, "B");
    }

    // Editing the description rewrites the header alone: the block comes through byte for
    // byte, and the header still points to it.
    ASSERT_TRUE(disk.header.SetDescription("Edited"));
    ASSERT_TRUE(disk.WriteHeader());
    std::string edited = CTempFolder::Read(path);
    ASSERT_EQ(edited.size(), bytes.size());
    EXPECT_EQ(edited.substr(0, 76), bytes.substr(0, 76));
    EXPECT_EQ(edited.substr(332), bytes.substr(332));
    CCollDisk again;
    again.indexPath = path;
    ASSERT_TRUE(again.ReadHeader());
    EXPECT_EQ(again.header.GetDescription(), "Edited");
    EXPECT_EQ(again.header.totalBytes, 8 * gib + 30);
}

TEST(IndexExtension, TheBlockIsWrittenOnlyWhenAValueNeedsIt) {
    CTempFolder folder;
    // Nothing big: the file of a writer that knew no extension, four zero bytes first.
    CCollDisk plain;
    BuildDisk(plain, 10, 20, 0, false);
    ASSERT_TRUE(plain.SaveIndexFile(folder.Path("plain.cdi")));
    EXPECT_EQ(CTempFolder::Read(folder.Path("plain.cdi")), CorpusFile("sound-reference.cdi"));

    // Sizes that fit, totals that do not: a block with no entries.
    CCollDisk totals;
    BuildDisk(totals, 3 * gib, 3 * gib, 20, false);
    std::string path = folder.Path("totals.cdi");
    ASSERT_TRUE(totals.SaveIndexFile(path));
    EXPECT_EQ(CTempFolder::Read(path), CorpusFile("sound-extension-totals-only.cdi"));
    CCollDisk disk;
    disk.indexPath = path;
    ASSERT_TRUE(disk.ReadHeader());
    EXPECT_EQ(disk.header.totalBytes, 6 * gib + 20);
}
