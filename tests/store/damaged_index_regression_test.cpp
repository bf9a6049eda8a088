// SPDX-License-Identifier: GPL-3.0-or-later
// Index files whose tables point several entries at one record, or list entries out of the
// order the writer lays them in. Browsing used to load such a shared record once per entry,
// so a 1 KB file whose folders share subtrees level after level expanded without end, and a
// 1 MB file made LoadContent alone allocate gigabytes. Every reader now reports them damaged.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"
#include "store/record_reader.h"
#include "support/temp_folder.h"

namespace {

std::string Int(std::int32_t value) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
    return bytes;
}

void Patch(std::string& bytes, std::size_t at, std::int32_t value) {
    bytes.replace(at, 4, Int(value));
}

std::int32_t IntAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

// A header, then a chain of folders named "A": the root and every folder in the chain list
// the next folder `fanOut` times, so expanding everything would visit fanOut^depth folders.
std::string SharedChain(int fanOut, int depth) {
    std::string bytes(344, '\0');
    auto table = [&bytes](std::int32_t count) {
        std::int32_t next = static_cast<std::int32_t>(bytes.size()) + 8 + 4 * count;
        bytes += Int(count);
        for (std::int32_t i = 0; i < count; ++i) {
            bytes += Int(next);
        }
        bytes += Int(0);
    };
    table(fanOut);
    for (int level = 0; level < depth; ++level) {
        bytes += std::string(1, '\x01') + "A" + Int(0) + Int(0) + Int(0);
        table(level + 1 < depth ? fanOut : 0);
    }
    return bytes + std::string(200, '\0');
}

// Everything a user could expand, the way the browse panel reads it.
int BrowseAll(const std::string& path, std::size_t* items = nullptr) {
    try {
        CCollDisk disk;
        disk.indexPath = path;
        disk.LoadContent();
        CFile file(path, CFile::Mode::read);
        CRecordReader reader(file);
        std::vector<CCollDiskFolder*> pending;
        std::size_t count = disk.content.files.size();
        for (const auto& folder : disk.content.folders) {
            pending.push_back(folder.get());
        }
        while (!pending.empty()) {
            CCollDiskFolder* folder = pending.back();
            pending.pop_back();
            ++count;
            folder->LoadSubfolders(reader);
            count += folder->content.files.size();
            for (const auto& sub : folder->content.folders) {
                pending.push_back(sub.get());
            }
        }
        if (items != nullptr) {
            *items = count;
        }
        return -1;
    } catch (const CFileException& error) {
        return error.GetCause();
    }
}

int Search(const std::string& path, bool mapped) {
    CCollection collection;
    collection.AddDisk(std::make_unique<CCollDisk>("Disk"))->indexPath = path;
    CCollSearch search(&collection);
    CCollSearchCriteria criteria;
    criteria.useMemoryMappedFile = mapped;
    struct : CSearchResultReceiver {
        void OnSearchResult(const CCollSearchResult& /*result*/) override {}
    } ignored;
    try {
        search.Run(criteria, ignored);
        return -1;
    } catch (const CFileException& error) {
        return error.GetCause();
    }
}

void ExpectEveryReaderReportsDamage(const std::string& path) {
    EXPECT_EQ(BrowseAll(path), CFileException::endOfFile);
    EXPECT_EQ(Search(path, false), CFileException::endOfFile);
    EXPECT_EQ(Search(path, true), CFileException::endOfFile);
}

// A: {B: {c}, d}, G: {H}, e, f, written as the program writes it.
std::string SoundFile(const CTempFolder& folder) {
    CCollDisk disk;
    auto add = [](CCollDiskContent& content, const std::string& name) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = name;
        content.files.Add(std::move(file));
    };
    auto a = std::make_unique<CCollDiskFolder>();
    a->name = "A";
    auto b = std::make_unique<CCollDiskFolder>();
    b->name = "B";
    add(b->content, "c");
    a->content.folders.Add(std::move(b));
    add(a->content, "d");
    disk.content.folders.Add(std::move(a));
    auto g = std::make_unique<CCollDiskFolder>();
    g->name = "G";
    auto h = std::make_unique<CCollDiskFolder>();
    h->name = "H";
    g->content.folders.Add(std::move(h));
    disk.content.folders.Add(std::move(g));
    add(disk.content, "e");
    add(disk.content, "f");
    std::string path = folder.Path("sound.cdi");
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return CTempFolder::Read(path);
}

}  // namespace

TEST(DamagedIndexRegression, FoldersSharingSubtreesNoLongerExpandWithoutEnd) {
    CTempFolder folder;
    // 4^14 folders if every shared record were loaded once per entry naming it.
    ExpectEveryReaderReportsDamage(folder.Write("chain.cdi", SharedChain(4, 14)));
    ExpectEveryReaderReportsDamage(folder.Write("two.cdi", SharedChain(2, 2)));
    // One entry per record is a sound chain.
    std::size_t items = 0;
    EXPECT_EQ(BrowseAll(folder.Write("single.cdi", SharedChain(1, 14)), &items), -1);
    EXPECT_EQ(items, 14u);
}

TEST(DamagedIndexRegression, EntriesOutOfOrderOrOverlappingTheNextAreDamaged) {
    CTempFolder folder;
    std::string sound = SoundFile(folder);
    std::size_t items = 0;
    ASSERT_EQ(BrowseAll(folder.Write("sound.cdi", sound), &items), -1);
    ASSERT_EQ(items, 8u);
    // Root table: folders A and G at 348 and 352, then files e and f at 360 and 364.
    const std::size_t eAt = 360;
    const std::size_t fAt = 364;
    std::int32_t e = IntAt(sound, eAt);
    std::int32_t f = IntAt(sound, fAt);

    std::string swapped = sound;
    Patch(swapped, eAt, f);
    Patch(swapped, fAt, e);
    ExpectEveryReaderReportsDamage(folder.Write("swapped.cdi", swapped));

    std::string same = sound;
    Patch(same, fAt, e);
    ExpectEveryReaderReportsDamage(folder.Write("same.cdi", same));

    // e's name made so long that its record runs into f's.
    std::string overlapping = sound;
    overlapping[static_cast<std::size_t>(e)] = '\x05';
    ExpectEveryReaderReportsDamage(folder.Write("overlapping.cdi", overlapping));

    // A listing G's subfolder H as its own: a record outside A's part of the file.
    auto subfolderEntry = [&sound](std::size_t rootEntry) {
        return static_cast<std::size_t>(IntAt(sound, rootEntry)) + 2 + 12 + 4;
    };
    std::string crossed = sound;
    Patch(crossed, subfolderEntry(348), IntAt(sound, subfolderEntry(352)));
    ExpectEveryReaderReportsDamage(folder.Write("crossed.cdi", crossed));
}
