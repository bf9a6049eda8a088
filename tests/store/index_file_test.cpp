// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

std::int32_t IntAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

CCollDiskFile* AddFile(CCollDiskContent& content, const std::string& name, std::uint32_t size,
                       Time32 time = 1000) {
    auto file = std::make_unique<CCollDiskFile>();
    file->name = name;
    file->size = size;
    file->creationTime = time;
    file->accessTime = time + 1;
    file->modifyTime = time + 2;
    return content.files.Add(std::move(file));
}

CCollDiskFolder* AddFolder(CCollDiskContent& content, const std::string& name) {
    auto folder = std::make_unique<CCollDiskFolder>();
    folder->name = name;
    return content.folders.Add(std::move(folder));
}

// Reads every level below the loaded root, as expanding every folder would.
void ExpandAll(CRecordReader& reader, CCollDiskContent& content) {
    for (const auto& folder : content.folders) {
        folder->LoadSubfolders(reader);
        ExpandAll(reader, folder->content);
    }
}

void LoadWholeTree(CCollDisk& disk) {
    disk.LoadContent();
    CFile file(disk.indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    ExpandAll(reader, disk.content);
}

}  // namespace

TEST(IndexFile, LayoutMatchesTheRecordFormatByteForByte) {
    CTempFolder folder;
    CCollDisk empty;
    ASSERT_TRUE(empty.SaveIndexFile(folder.Path("empty.cdi")));
    std::string bytes = CTempFolder::Read(folder.Path("empty.cdi"));
    ASSERT_EQ(bytes.size(), 352u);
    EXPECT_EQ(IntAt(bytes, 344), 0);
    EXPECT_EQ(IntAt(bytes, 348), 0);

    CCollDisk oneFile;
    AddFile(oneFile.content, "a.txt", 77, 500);
    ASSERT_TRUE(oneFile.SaveIndexFile(folder.Path("one.cdi")));
    bytes = CTempFolder::Read(folder.Path("one.cdi"));
    ASSERT_EQ(bytes.size(), 378u);
    EXPECT_EQ(IntAt(bytes, 344), 0);
    EXPECT_EQ(IntAt(bytes, 348), 1);
    EXPECT_EQ(IntAt(bytes, 352), 356);
    EXPECT_EQ(bytes[356], 5);
    EXPECT_EQ(bytes.substr(357, 5), "a.txt");
    // Times are stored access, creation, modify.
    EXPECT_EQ(IntAt(bytes, 362), 501);
    EXPECT_EQ(IntAt(bytes, 366), 500);
    EXPECT_EQ(IntAt(bytes, 370), 502);
    EXPECT_EQ(IntAt(bytes, 374), 77);

    CCollDisk nested;
    nested.header.serial = 0xDEADBEEF;
    nested.header.SetLabel("LABEL");
    CCollDiskFolder* x = AddFolder(nested.content, "X");
    AddFile(x->content, "y", 3);
    ASSERT_TRUE(nested.SaveIndexFile(folder.Path("nested.cdi")));
    bytes = CTempFolder::Read(folder.Path("nested.cdi"));
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_EQ(static_cast<std::uint32_t>(IntAt(bytes, 4)), 0xDEADBEEFu);
    EXPECT_EQ(bytes.substr(12, 6), std::string("LABEL\0", 6));
    EXPECT_EQ(IntAt(bytes, 344), 1);
    EXPECT_EQ(IntAt(bytes, 348), 356);
    EXPECT_EQ(IntAt(bytes, 352), 0);
    EXPECT_EQ(IntAt(bytes, 356 + 14), 0);    // no subfolders
    EXPECT_EQ(IntAt(bytes, 356 + 18), 1);    // one file
    EXPECT_EQ(IntAt(bytes, 356 + 22), 382);  // at 382
    EXPECT_EQ(bytes[382], 1);
    EXPECT_EQ(bytes[383], 'y');
}

TEST(IndexFile, TreeIsReadBackLevelByLevel) {
    CTempFolder folder;
    CCollDisk disk;
    disk.header.SetDescription("Summer");
    disk.header.burnDate = 1151755200;
    CCollDiskFolder* photos = AddFolder(disk.content, "Photos");
    CCollDiskFolder* beach = AddFolder(photos->content, "Beach");
    CCollDiskFolder* deep = AddFolder(beach->content, "Deep");
    AddFile(deep->content, "bottom.jpg", 4);
    AddFile(beach->content, "sand.jpg", 1);
    AddFile(photos->content, "", 2);  // an empty name survives as one length byte
    AddFile(disk.content, "root.txt", 0xFFFFFFFFu);
    disk.ComputeTotals();
    disk.indexPath = folder.Path("Holiday.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(disk.indexPath));

    CCollDisk loaded("Holiday");
    loaded.indexPath = disk.indexPath;
    ASSERT_TRUE(loaded.ReadHeader());
    EXPECT_EQ(loaded.header.GetDescription(), "Summer");
    EXPECT_EQ(loaded.header.totalFiles, 4);
    EXPECT_EQ(loaded.header.totalFolders, 3);
    EXPECT_EQ(loaded.header.totalBytes, 4ULL + 1 + 2 + 0xFFFFFFFFu);
    loaded.LoadContent();
    ASSERT_EQ(loaded.content.folders.size(), 1u);
    ASSERT_EQ(loaded.content.files.size(), 1u);
    EXPECT_EQ(loaded.content.files[0]->size, 0xFFFFFFFFu);
    CCollDiskFolder* loadedPhotos = loaded.content.folders[0];
    // One level below the root folders is known: Beach by name, the files completely.
    ASSERT_EQ(loadedPhotos->content.folders.size(), 1u);
    EXPECT_EQ(loadedPhotos->content.folders[0]->name, "Beach");
    EXPECT_TRUE(loadedPhotos->content.folders[0]->content.IsEmpty());
    ASSERT_EQ(loadedPhotos->content.files.size(), 1u);
    EXPECT_EQ(loadedPhotos->content.files[0]->name, "");
    EXPECT_EQ(loadedPhotos->content.files[0]->size, 2u);

    CFile file(loaded.indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    loadedPhotos->LoadSubfolders(reader);
    CCollDiskFolder* loadedBeach = loadedPhotos->content.folders[0];
    ASSERT_EQ(loadedBeach->content.folders.size(), 1u);
    EXPECT_EQ(loadedBeach->content.files[0]->name, "sand.jpg");
    EXPECT_EQ(loadedBeach->content.files[0]->creationTime, 1000);
    EXPECT_EQ(loadedBeach->content.files[0]->accessTime, 1001);
    EXPECT_EQ(loadedBeach->content.files[0]->modifyTime, 1002);
}

TEST(IndexFile, OverlongNamesAreShortenedAtACharacterBoundary) {
    CTempFolder folder;
    CCollDisk disk;
    std::string name(253, 'a');
    name += "\xC3\xA9\xC3\xA9";  // two-byte characters straddle byte 255
    AddFile(disk.content, name, 1);
    AddFile(disk.content, "after", 2);
    disk.indexPath = folder.Path("long.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(disk.indexPath));
    CCollDisk loaded;
    loaded.indexPath = disk.indexPath;
    loaded.LoadContent();
    ASSERT_EQ(loaded.content.files.size(), 2u);
    EXPECT_EQ(loaded.content.files[0]->name, name.substr(0, 255));
    EXPECT_EQ(loaded.content.files[1]->name, "after");
    EXPECT_EQ(loaded.content.files[1]->size, 2u);
}

TEST(IndexFile, DamagedFilesFailAsEndOfFileAndNeverCrash) {
    CTempFolder folder;
    CCollDisk disk;
    CCollDiskFolder* a = AddFolder(disk.content, "A");
    CCollDiskFolder* b = AddFolder(a->content, "B");
    AddFile(b->content, "c", 1);
    AddFile(a->content, "d", 2);
    AddFile(disk.content, "e", 3);
    std::string good = folder.Path("good.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(good));
    std::string bytes = CTempFolder::Read(good);

    auto expectDamaged = [&folder](const std::string& content, const std::string& what) {
        std::string path = folder.Write("bad.cdi", content);
        CCollDisk damaged;
        damaged.indexPath = path;
        try {
            LoadWholeTree(damaged);
            ADD_FAILURE() << what << ": no error";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.GetCause(), CFileException::endOfFile) << what;
            EXPECT_EQ(error.GetErrorMessage(),
                      "An attempt was made to access " + path + " past its end.");
        }
    };

    for (std::size_t length = 0; length < bytes.size(); ++length) {
        expectDamaged(bytes.substr(0, length), "truncated at " + std::to_string(length));
    }
    auto patched = [&bytes](std::size_t at, std::int32_t value) {
        std::string copy = bytes;
        for (std::size_t i = 0; i < 4; ++i) {
            copy[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
        }
        return copy;
    };
    expectDamaged(patched(344, 0x7FFFFFFF), "folder count 2^31-1");
    expectDamaged(patched(344, -1), "negative count");
    expectDamaged(patched(348, 0x7FFFFFF0), "offset past the end");
    expectDamaged(patched(348, 12), "offset into the header");
    // A's table lists A itself as its subfolder.
    std::int32_t aOffset = IntAt(bytes, 348);
    std::size_t aTable = static_cast<std::size_t>(aOffset) + 1 + 1 + 12;
    expectDamaged(patched(aTable + 4, aOffset), "folder containing itself");

    CCollDisk shortHeader;
    shortHeader.indexPath = folder.Write("short.cdi", bytes.substr(0, 100));
    EXPECT_EQ(shortHeader.ReadHeader().GetProblems().GetTexts(),
              std::vector<std::string>{"An attempt was made to access " + shortHeader.indexPath +
                                       " past its end."});
}

TEST(IndexFile, WriteHeaderRewritesOnlyTheHeader) {
    CTempFolder folder;
    CCollDisk disk;
    AddFile(disk.content, "kept.txt", 9);
    disk.indexPath = folder.Path("disk.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(disk.indexPath));
    std::string before = CTempFolder::Read(disk.indexPath);

    disk.header.burnDate = 123456;
    ASSERT_TRUE(disk.header.SetDescription("new words"));
    ASSERT_TRUE(disk.WriteHeader());
    std::string after = CTempFolder::Read(disk.indexPath);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(344), before.substr(344));
    EXPECT_EQ(IntAt(after, 8), 123456);
    EXPECT_EQ(after.substr(76, 10), std::string("new words\0", 10));

    disk.indexPath = folder.Path("missing/disk.cdi");
    EXPECT_EQ(disk.WriteHeader().GetProblems().GetTexts(),
              std::vector<std::string>{disk.indexPath + " was not found."});
}

TEST(IndexFile, WriteHeaderOnAVanishedFileFailsAndCreatesNothing) {
    CTempFolder folder;
    CCollDisk disk;
    disk.indexPath = folder.Path("gone.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(disk.indexPath));
    ASSERT_TRUE(disk.ReadHeader());
    std::filesystem::remove(disk.indexPath);

    disk.header.burnDate = 42;
    EXPECT_EQ(disk.WriteHeader().GetProblems().GetTexts(),
              std::vector<std::string>{disk.indexPath + " was not found."});
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(IndexFile, AFailedWriteLeavesThePreviousFileAndNoTemporaryFile) {
    CTempFolder folder;
    CCollDisk disk;
    std::string path = folder.Write("old.cdi", "previous");
    EXPECT_EQ(
        disk.SaveIndexFile(folder.Path("no/such/folder/new.cdi")).GetProblems().GetList().size(),
        1u);
    EXPECT_EQ(CTempFolder::Read(path), "previous");
    ASSERT_TRUE(disk.SaveIndexFile(path));
    EXPECT_EQ(CTempFolder::Read(path).size(), 352u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}
