// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dir_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>

#include "disk/disk_scanner.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "support/temp_folder.h"

namespace {

// Long names, so that a folder's listing takes several reads from the kernel.
std::string LongName(int folder, int file) {
    return "folder " + std::to_string(folder) + " file " + std::to_string(file) + " " +
           std::string(180, 'n') + ".txt";
}

}  // namespace

TEST(DirReader, FoldersLargerThanOneReadAreListedWholeAndReadersDoNotDisturbEachOther) {
    constexpr int files = 1500;
    CTempFolder disk;
    for (int folder = 0; folder < 3; ++folder) {
        for (int file = 0; file < files; ++file) {
            std::string inside = folder == 0 ? "" : "Sub" + std::to_string(folder) + "/";
            disk.Write(inside + LongName(folder, file), std::string(file % 7, 'x'));
        }
    }

    CCollDiskFolder root;
    ASSERT_TRUE(ScanFolder(root, disk.Path()));
    ASSERT_EQ(root.content.folders.size(), 2u);
    auto expectAllFiles = [](const CCollDiskContent& content, int folder) {
        std::map<std::string, std::uint32_t> seen;
        for (const auto& file : content.files) {
            seen[file->name] += 1;
        }
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(files));
        for (int file = 0; file < files; ++file) {
            EXPECT_EQ(seen[LongName(folder, file)], 1u) << folder << " " << file;
        }
        for (const auto& file : content.files) {
            std::string name = file->name;
            int number = std::stoi(name.substr(name.find(" file ") + 6));
            EXPECT_EQ(file->size, static_cast<std::uint32_t>(number % 7)) << name;
        }
    };
    expectAllFiles(root.content, 0);
    for (const auto& folder : root.content.folders) {
        expectAllFiles(folder->content, folder->name == "Sub1" ? 1 : 2);
    }

    // One listing half done while others open, run to their end and close; a reader at its
    // end says so with errno 0, and can be opened again.
    auto countRest = [](CDirReader& reader, std::map<std::string, int>& seen) {
        CDirEntry entry;
        while (reader.Next(entry)) {
            seen[entry.name] += 1;
        }
        EXPECT_EQ(errno, 0);
    };
    std::map<std::string, int> first;
    CDirReader outer;
    ASSERT_TRUE(outer.Open(disk.Path("Sub1")));
    CDirEntry entry;
    for (int i = 0; i < 10 && outer.Next(entry); ++i) {
        first[entry.name] += 1;
    }
    for (int round = 0; round < 2; ++round) {
        CDirReader inner;
        ASSERT_TRUE(inner.OpenChild(outer, "..")) << "the parent of Sub1";
        std::map<std::string, int> second;
        countRest(inner, second);
        EXPECT_EQ(second.size(), static_cast<std::size_t>(files) + 2);
        ASSERT_TRUE(inner.Open(disk.Path("Sub2")));
        second.clear();
        countRest(inner, second);
        EXPECT_EQ(second.size(), static_cast<std::size_t>(files));
    }
    countRest(outer, first);
    EXPECT_EQ(first.size(), static_cast<std::size_t>(files));
    for (const auto& [name, count] : first) {
        EXPECT_EQ(count, 1) << name;
    }
    EXPECT_FALSE(outer.Next(entry));
    outer.Close();
    EXPECT_FALSE(outer.IsOpen());
    EXPECT_FALSE(outer.Next(entry));
}
