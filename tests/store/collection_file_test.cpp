// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/collection.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

std::string MakeIndexFile(const CTempFolder& folder, const std::string& relative,
                          std::int32_t files = 0) {
    CCollDisk disk;
    disk.header.totalFiles = files;
    std::string path = folder.Path(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

}  // namespace

TEST(CollectionFile, EmptyCollectionIsAnEmptyFile) {
    CTempFolder folder;
    CCollection collection;
    std::string path = folder.Path("empty.col");
    ASSERT_TRUE(CCollSaver(collection).Save(path));
    EXPECT_EQ(CTempFolder::Read(path), "");
    CCollection loaded;
    EXPECT_TRUE(CCollLoader(loaded).Load(path));
    EXPECT_TRUE(loaded.disks.empty());
    EXPECT_EQ(loaded.description, "");
}

TEST(CollectionFile, DescriptionAndRelativePathsSurviveASaveAndLoad) {
    CTempFolder folder;
    std::string sibling = MakeIndexFile(folder, "Other/Music 01.cdi", 12);
    std::string below = MakeIndexFile(folder, "Cols/Disks/Holiday 2006.cdi", 34);
    std::string beside = MakeIndexFile(folder, "Cols/b.cdi");
    std::string colPath = folder.Path("Cols/my.col");

    CCollection collection;
    collection.description = "  line1\r\n\r\n   \nline2  ";
    CCollLoader inserter(collection);
    ASSERT_TRUE(inserter.InsertIndexFile(sibling));
    ASSERT_TRUE(inserter.InsertIndexFile(below));
    ASSERT_TRUE(inserter.InsertIndexFile(beside));
    ASSERT_TRUE(CCollSaver(collection).Save(colPath));
    // Blank description lines are left out so they cannot end the block early.
    EXPECT_EQ(CTempFolder::Read(colPath),
              "[DESCRIPTION]\r\n  line1\r\nline2  \r\n\r\n"
              "..\\Other\\Music 01.cdi\r\nDisks\\Holiday 2006.cdi\r\nb.cdi\r\n");

    CCollection loaded;
    ASSERT_TRUE(CCollLoader(loaded).Load(colPath));
    EXPECT_EQ(loaded.description, "line1\nline2");
    ASSERT_EQ(loaded.disks.size(), 3u);
    EXPECT_EQ(loaded.disks[0]->title, "Music 01");
    EXPECT_EQ(loaded.disks[0]->indexPath, sibling);
    EXPECT_EQ(loaded.disks[0]->header.totalFiles, 12);
    EXPECT_EQ(loaded.disks[1]->title, "Holiday 2006");
    EXPECT_EQ(loaded.disks[1]->indexPath, below);
    EXPECT_EQ(loaded.disks[2]->indexPath, beside);
    EXPECT_TRUE(loaded.disks[0]->content.IsEmpty());
}

TEST(CollectionFile, LoaderKeepsBadLinesAsProblemsInOrderAndKeepsGoing) {
    CTempFolder folder;
    MakeIndexFile(folder, "A/x.cdi", 1);
    MakeIndexFile(folder, "A/B/y.cdi", 2);
    folder.Write("A/B/damaged.cdi", "too short");
    std::string colPath = folder.Write("A/B/c.col",
                                       "  [description]  \n"
                                       "first\r\n"
                                       "\r\n"
                                       "..\\x.cdi\r\n"
                                       "../../../../../../../../../../../../x.cdi\r\n"
                                       "missing.cdi\r\n"
                                       "./y.cdi\n"
                                       "damaged.cdi\n"
                                       "..\\x.cdi");
    CMessageRecorder messages;
    CCollection collection;
    CCollLoader loader(collection);
    std::vector<std::string> progress;
    ASSERT_TRUE(loader.Load(colPath, [&](std::size_t tried, std::size_t total) {
        progress.push_back(std::to_string(tried) + "/" + std::to_string(total));
        return true;
    }));
    EXPECT_EQ(collection.description, "first");
    // Duplicates are the insert's business, not the loader's.
    ASSERT_EQ(collection.disks.size(), 3u);
    EXPECT_EQ(collection.disks[0]->indexPath, folder.Path("A/x.cdi"));
    EXPECT_EQ(collection.disks[1]->title, "y");
    EXPECT_EQ(collection.disks[2]->title, "x");
    EXPECT_EQ(loader.GetFailedLines(), 3);
    EXPECT_EQ(
        loader.GetProblems().GetTexts(),
        (std::vector<std::string>{
            "Invalid path: ../../../../../../../../../../../../x.cdi",
            folder.Path("A/B/missing.cdi") + " was not found.",
            "Failed loading disk missing.cdi",
            "An attempt was made to access " + folder.Path("A/B/damaged.cdi") + " past its end.",
            "Failed loading disk damaged.cdi",
        }));
    EXPECT_EQ(progress, (std::vector<std::string>{"1/6", "2/6", "3/6", "4/6", "5/6", "6/6"}));
    // The core shows nothing: its caller does.
    EXPECT_TRUE(messages.messages.empty());

    // Stopped after the second disk: what was read so far, and no more problems.
    CCollection stopped;
    CCollLoader stopping(stopped);
    EXPECT_TRUE(stopping.Load(colPath, [](std::size_t tried, std::size_t) { return tried < 2; }));
    EXPECT_EQ(stopped.disks.size(), 1u);
    EXPECT_EQ(stopping.GetProblems().GetTexts().size(), 1u);

    CCollLoader missing(collection);
    EXPECT_FALSE(missing.Load(folder.Path("nothing.col")));
    EXPECT_EQ(missing.GetProblems().GetTexts(),
              std::vector<std::string>{folder.Path("nothing.col") + " was not found."});
}

TEST(CollectionFile, InsertSkipsDuplicatesAndStopsReportingFailures) {
    CTempFolder folder;
    std::string a = MakeIndexFile(folder, "A.cdi");
    std::string damaged = folder.Write("B.cdi", "too short");
    CCollection collection;
    CCollLoader loader(collection);
    EXPECT_TRUE(loader.InsertIndexFile(a));
    EXPECT_TRUE(loader.InsertIndexFile(a));
    EXPECT_EQ(collection.disks.size(), 1u);
    EXPECT_FALSE(loader.InsertIndexFile(damaged));
    EXPECT_EQ(collection.disks.size(), 1u);
    std::vector<std::string> problems = loader.GetProblems().GetTexts();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[1], "Failed loading disk " + damaged);
}

TEST(CollectionFile, AFailedSaveKeepsThePreviousFile) {
    CTempFolder folder;
    std::string colPath = folder.Write("keep.col", "old content\r\n");
    CCollection collection;
    collection.description = "new";
    CResult saved = CCollSaver(collection).Save(folder.Path("missing/keep.col"));
    EXPECT_EQ(saved.GetProblems().GetTexts(),
              std::vector<std::string>{folder.Path("missing/keep.col") + " was not found."});
    EXPECT_EQ(CTempFolder::Read(colPath), "old content\r\n");
}
