// SPDX-License-Identifier: GPL-3.0-or-later
// Disk trees walked by the model at any depth: offsets, writing, totals and destruction
// must neither recurse per level nor change the index file's depth-first layout.

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/file.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "support/temp_folder.h"

namespace {

template <class T>
T* AddItem(CCollDiskContent& content, const std::string& name, Time32 time) {
    auto item = std::make_unique<T>();
    item->name = name;
    item->creationTime = time;
    item->accessTime = time + 1;
    item->modifyTime = time + 2;
    if constexpr (std::is_same_v<T, CCollDiskFile>) {
        item->size = static_cast<std::uint32_t>(time);
        return content.files.Add(std::move(item));
    } else {
        return content.folders.Add(std::move(item));
    }
}

void AppendInt(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void AppendTable(std::string& out, const CCollDiskContent& content) {
    AppendInt(out, static_cast<std::uint32_t>(content.folders.size()));
    for (const auto& folder : content.folders) {
        AppendInt(out, folder->offset);
    }
    AppendInt(out, static_cast<std::uint32_t>(content.files.size()));
    for (const auto& file : content.files) {
        AppendInt(out, file->offset);
    }
}

// The records below `content` the plain recursive way, for a shallow tree: each folder's
// record and its subtree, then the files; every record where its offset says.
void AppendRecords(std::string& out, const CCollDiskContent& content) {
    auto appendItem = [&](const CCollDiskItem& item) {
        EXPECT_EQ(out.size(), item.offset) << item.name;
        out += static_cast<char>(item.name.size());
        out += item.name;
        AppendInt(out, static_cast<std::uint32_t>(item.accessTime));
        AppendInt(out, static_cast<std::uint32_t>(item.creationTime));
        AppendInt(out, static_cast<std::uint32_t>(item.modifyTime));
    };
    for (const auto& folder : content.folders) {
        appendItem(*folder);
        AppendTable(out, folder->content);
        AppendRecords(out, folder->content);
    }
    for (const auto& file : content.files) {
        appendItem(*file);
        AppendInt(out, file->size);
    }
}

// Runs `work` on a thread with a small stack, so that a walk nesting one call per level
// overflows it at a depth a test can build quickly.
void RunOnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attributes;
    ASSERT_EQ(::pthread_attr_init(&attributes), 0);
    ASSERT_EQ(::pthread_attr_setstacksize(&attributes, std::size_t{256} * 1024), 0);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(
        ::pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
    ::pthread_join(thread, nullptr);
    ::pthread_attr_destroy(&attributes);
}

}  // namespace

TEST(DeepTree, BranchingTreesKeepTheDepthFirstLayout) {
    CCollDisk disk;
    CCollDiskFolder* a = AddItem<CCollDiskFolder>(disk.content, "A", 10);
    CCollDiskFolder* b = AddItem<CCollDiskFolder>(disk.content, "Bee", 20);
    AddItem<CCollDiskFile>(disk.content, "r1", 30);
    CCollDiskFolder* a1 = AddItem<CCollDiskFolder>(a->content, "A1", 40);
    AddItem<CCollDiskFolder>(a->content, "A2", 50);
    AddItem<CCollDiskFile>(a->content, "a1.txt", 60);
    AddItem<CCollDiskFile>(a->content, "a2.txt", 70);
    AddItem<CCollDiskFile>(a1->content, "x", 80);
    AddItem<CCollDiskFile>(b->content, "b", 90);
    CTempFolder folder;
    ASSERT_TRUE(disk.SaveIndexFile(folder.Path("tree.cdi")));

    std::string expected(CCollDiskHeader::size, '\0');
    AppendTable(expected, disk.content);
    AppendRecords(expected, disk.content);
    std::string written = CTempFolder::Read(folder.Path("tree.cdi"));
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_EQ(written.substr(CCollDiskHeader::size), expected.substr(CCollDiskHeader::size));
    // After the root table of three entries and A's record of 21 + 1 + 4 * 4 bytes.
    EXPECT_EQ(a1->offset, 364u + 38u);
}

TEST(DeepTree, FiftyThousandNestedFoldersAreWrittenReadCountedAndDestroyed) {
    RunOnSmallStack([] {
        constexpr std::uint32_t depth = 50000;
        CTempFolder folder;
        {
            CCollDisk disk;
            CCollDiskContent* level = &disk.content;
            for (std::uint32_t at = 0; at < depth; ++at) {
                level = &AddItem<CCollDiskFolder>(*level, "d", 1)->content;
            }
            AddItem<CCollDiskFile>(*level, "x", 5);
            disk.ComputeTotals();
            EXPECT_EQ(disk.header.totalFolders, static_cast<std::int32_t>(depth));
            EXPECT_EQ(disk.header.totalFiles, 1);
            EXPECT_EQ(disk.header.totalBytes, 5u);
            ASSERT_TRUE(disk.SaveIndexFile(folder.Path("deep.cdi")));
        }
        // The root table, a folder record of 26 bytes per level, the file's 18.
        EXPECT_EQ(std::filesystem::file_size(folder.Path("deep.cdi")), 356u + depth * 26u + 18u);

        CCollDisk loaded;
        loaded.indexPath = folder.Path("deep.cdi");
        ASSERT_TRUE(loaded.ReadHeader());
        loaded.LoadContent();
        CFile file(loaded.indexPath, CFile::Mode::read);
        CRecordReader reader(file);
        std::uint32_t levels = 0;
        for (CCollDiskContent* level = &loaded.content; !level->folders.empty(); ++levels) {
            CCollDiskFolder* inside = level->folders[0];
            ASSERT_EQ(inside->offset, 356u + levels * 26u);
            inside->LoadSubfolders(reader);
            level = &inside->content;
        }
        EXPECT_EQ(levels, depth);
        loaded.header = CCollDiskHeader();
        loaded.ComputeTotals();
        EXPECT_EQ(loaded.header.totalFolders, static_cast<std::int32_t>(depth));
        EXPECT_EQ(loaded.header.totalBytes, 5u);
        loaded.content.Clear();
        EXPECT_TRUE(loaded.content.IsEmpty());
    });
}
