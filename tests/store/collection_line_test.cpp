// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/collection.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

std::string MakeIndexFile(const CTempFolder& folder, const std::string& relative) {
    CCollDisk disk;
    std::string path = folder.Path(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

std::vector<std::string> IndexPaths(const CCollection& collection) {
    std::vector<std::string> paths;
    for (const auto& disk : collection.disks) {
        paths.push_back(disk->indexPath);
    }
    return paths;
}

}  // namespace

TEST(CollectionLine, OddButValidNamesReadBackToTheSameFiles) {
    CTempFolder folder;
    std::vector<std::string> paths = {
        MakeIndexFile(folder, "Cols/[DESCRIPTION]"), MakeIndexFile(folder, "Cols/ leading.cdi"),
        MakeIndexFile(folder, "Cols/ folder/a.cdi"), MakeIndexFile(folder, "Cols/in\tside/x y.cdi"),
        MakeIndexFile(folder, " Other/b.cdi"),
    };
    std::string colPath = folder.Path("Cols/odd.col");
    CCollection collection;
    collection.description = "kept";
    CCollLoader inserter(collection);
    CMessageRecorder messages;
    for (const std::string& path : paths) {
        ASSERT_TRUE(inserter.InsertIndexFile(path)) << path;
    }
    ASSERT_TRUE(CCollSaver(collection).Save(colPath));
    std::string written = CTempFolder::Read(colPath);

    CCollection loaded;
    ASSERT_TRUE(CCollLoader(loaded).Load(colPath));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(loaded.description, "kept");
    EXPECT_EQ(IndexPaths(loaded), paths);
    // A second save writes the same lines, so nothing is lost over many saves.
    ASSERT_TRUE(CCollSaver(loaded).Save(colPath));
    EXPECT_EQ(CTempFolder::Read(colPath), written);
}

TEST(CollectionLine, InsertRefusesWhatNoLineCanNameOrWhatBreaksCataloguePaths) {
    CTempFolder folder;
    std::string good = MakeIndexFile(folder, "good.cdi");
    const std::vector<std::string> refused = {
        MakeIndexFile(folder, "line\nbreak.cdi"), MakeIndexFile(folder, "folder\n/a.cdi"),
        MakeIndexFile(folder, "back\\slash.cdi"), MakeIndexFile(folder, "ends in blank.cdi "),
        MakeIndexFile(folder, "disk:one.cdi"),    MakeIndexFile(folder, "tab\there.cdi"),
    };
    for (const std::string& path : refused) {
        CCollection collection;
        CCollLoader loader(collection);
        ASSERT_TRUE(loader.InsertIndexFile(good));
        EXPECT_FALSE(loader.InsertIndexFile(path)) << path;
        EXPECT_EQ(IndexPaths(collection), std::vector<std::string>{good}) << path;
        std::vector<std::string> problems = loader.GetProblems().GetTexts();
        ASSERT_EQ(problems.size(), 2u) << path;
        EXPECT_EQ(problems[1], "Failed loading disk " + path);
    }
    CCollection collection;
    CCollLoader loader(collection);
    EXPECT_FALSE(loader.InsertIndexFile(folder.Path("disk:one.cdi")));
    EXPECT_EQ(loader.GetProblems().GetTexts().front(), "Invalid file title disk:one");
}

TEST(CollectionLine, ASaveThatCannotNameADiskFailsAndKeepsTheFile) {
    CTempFolder folder;
    std::string colPath = folder.Write("keep.col", "old\r\n");
    CCollection collection;
    auto disk = std::make_unique<CCollDisk>("bad");
    disk->indexPath = folder.Path("line\nbreak.cdi");
    collection.AddDisk(std::move(disk));
    CResult saved = CCollSaver(collection).Save(colPath);
    EXPECT_EQ(saved.GetProblems().GetTexts().size(), 1u);
    EXPECT_EQ(CTempFolder::Read(colPath), "old\r\n");
}

TEST(CollectionLine, AByteOrderMarkIsNotPartOfTheFirstLine) {
    CTempFolder folder;
    MakeIndexFile(folder, "a.cdi");
    std::string withPath = folder.Write("path.col",
                                        "\xEF\xBB\xBF"
                                        "a.cdi\r\n");
    std::string withDescription =
        folder.Write("description.col", "\xEF\xBB\xBF[DESCRIPTION]\r\nnotes\r\n\r\na.cdi\r\n");
    CMessageRecorder messages;
    CCollection first;
    ASSERT_TRUE(CCollLoader(first).Load(withPath));
    EXPECT_EQ(IndexPaths(first), std::vector<std::string>{folder.Path("a.cdi")});
    CCollection second;
    ASSERT_TRUE(CCollLoader(second).Load(withDescription));
    EXPECT_EQ(second.description, "notes");
    EXPECT_EQ(IndexPaths(second), std::vector<std::string>{folder.Path("a.cdi")});
    EXPECT_TRUE(messages.messages.empty());
}

TEST(CollectionLine, ALinkedCollectionKeepsItsLinesRelativeToTheFileItLeadsTo) {
    CTempFolder folder;
    std::string disk = MakeIndexFile(folder, "Real/Disks/a.cdi");
    std::string real = folder.Path("Real/c.col");
    std::filesystem::create_directories(folder.Path("Desk"));
    std::filesystem::create_symlink("../Real/c.col", folder.Path("Desk/c.col"));
    CCollection collection;
    ASSERT_TRUE(CCollLoader(collection).InsertIndexFile(disk));
    ASSERT_TRUE(CCollSaver(collection).Save(folder.Path("Desk/c.col")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("Desk/c.col")));
    EXPECT_EQ(CTempFolder::Read(real), "Disks\\a.cdi\r\n");
    for (const std::string& path : {folder.Path("Desk/c.col"), real}) {
        CCollection loaded;
        CMessageRecorder messages;
        ASSERT_TRUE(CCollLoader(loaded).Load(path));
        EXPECT_EQ(IndexPaths(loaded), std::vector<std::string>{disk}) << path;
    }
}
