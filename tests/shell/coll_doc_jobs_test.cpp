// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, inserting and exporting while the user goes on changing the collection: each runs
// on its own thread, and what it hands back must fit whatever the collection has become.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "helpers/coll_settings.h"
#include "helpers/recent_file_list.h"
#include "platform/fault_injection.h"
#include "shell/coll_commands.h"
#include "shell/coll_doc.h"
#include "store/coll_disk.h"
#include "support/doc_jobs.h"
#include "support/holding_clock.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

std::string WriteDisk(const CTempFolder& folder, const std::string& title, int files) {
    CCollDisk disk;
    disk.header.totalFiles = files;
    std::string path = folder.Path(title + ".cdi");
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

Texts Titles(const CCollection& collection) {
    Texts titles;
    for (const auto& disk : collection.disks) {
        titles.push_back(disk->title);
    }
    return titles;
}

struct JobsFixture {
    JobsFixture() { doc.SetRecentFileList(&recent); }
    CTempFolder folder;
    CCollSettings settings;
    CRecentFileList recent;
    CMessageRecorder messages;
    CJobQueue queue;
    CCollDoc doc;
};

}  // namespace

// Close, New or another Open while a collection loads drop everything the load would deliver:
// no disk, no message, no path, and the recent files stay as they were.
TEST(CollDocJobs, ALoadClosedUnderItDeliversNothing) {
    JobsFixture f;
    WriteDisk(f.folder, "A", 1);
    std::string path = f.folder.Write("Music.col", "A.cdi\nMissing.cdi\n");
    std::string other = f.folder.Write("Other.col", "A.cdi\n");
    f.recent.Add(other);
    std::vector<CLoadProgress> progress;
    f.doc.SetLoadListener([&](const CLoadProgress& now) { progress.push_back(now); });

    for (auto replace :
         {+[](CCollDoc& doc) { doc.FileClose(); }, +[](CCollDoc& doc) { doc.FileNew(); }}) {
        bool finished = false;
        ASSERT_TRUE(f.doc.OpenCollection(path, [&](bool) { finished = true; }));
        EXPECT_TRUE(f.doc.IsLoading());
        replace(f.doc);
        EXPECT_FALSE(f.doc.IsLoading());
        f.queue.RunPending();
        EXPECT_FALSE(finished);
        EXPECT_TRUE(f.doc.collection.disks.empty());
        EXPECT_EQ(f.doc.GetPathName(), "");
        EXPECT_EQ(f.recent.GetEntries(), Texts{other});
        EXPECT_TRUE(f.messages.messages.empty());
        // The window was told the load is over.
        ASSERT_FALSE(progress.empty());
        EXPECT_FALSE(progress.back().loading);
    }

    // Opened again over a load under way, the second collection is the one that stays.
    ASSERT_TRUE(f.doc.OpenCollection(path));
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, other));
    EXPECT_EQ(f.doc.GetPathName(), other);
    EXPECT_EQ(Titles(f.doc.collection), Texts{"A"});
    EXPECT_TRUE(f.messages.messages.empty());
}

// Cancel while the headers are read: an empty new collection, the recent files as they were,
// no message, and the start of the program would go on. Meanwhile the commands that act on
// the collection are off, and index files cannot be dropped into it.
TEST(CollDocJobs, ACancelledLoadLeavesAnEmptyNewCollection) {
    JobsFixture f;
    std::string list;
    for (const char* title : {"A", "B", "C", "D"}) {
        WriteDisk(f.folder, title, 1);
        list += std::string(title) + ".cdi\nMissing.cdi\n";
    }
    std::string path = f.folder.Write("Music.col", list);
    std::string other = f.folder.Write("Other.col", "");
    f.recent.Add(other);
    std::vector<CLoadProgress> progress;
    f.doc.SetLoadListener([&](const CLoadProgress& now) { progress.push_back(now); });
    CHoldingClock clock(3);
    f.doc.SetJobClock(clock.Clock());

    bool finished = false;
    bool result = false;
    ASSERT_TRUE(f.doc.OpenCollection(path, [&](bool done) {
        finished = true;
        result = done;
    }));
    clock.WaitUntilHeld();
    CCommandContext context;
    for (CCollCommand command :
         {CCollCommand::saveCollection, CCollCommand::saveCollectionAs, CCollCommand::insertDisks,
          CCollCommand::exportList, CCollCommand::totals}) {
        EXPECT_FALSE(IsCommandEnabled(command, f.doc, context)) << static_cast<int>(command);
    }
    EXPECT_TRUE(IsCommandEnabled(CCollCommand::openCollection, f.doc, context));
    EXPECT_TRUE(IsCommandEnabled(CCollCommand::newCollection, f.doc, context));
    EXPECT_FALSE(f.doc.CanOpenDroppedFiles({f.folder.Path("A.cdi")}));
    EXPECT_FALSE(f.doc.InsertDisks({f.folder.Path("A.cdi")}));

    f.doc.StopLoading();
    clock.Release();
    FinishDocJobs(f.queue, f.doc);
    EXPECT_TRUE(finished);
    EXPECT_TRUE(result);
    EXPECT_TRUE(f.doc.collection.disks.empty());
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    EXPECT_EQ(f.doc.GetPathName(), "");
    EXPECT_EQ(f.recent.GetEntries(), Texts{other});
    EXPECT_TRUE(f.messages.messages.empty());
    // Started, the first disk's batch with the count, and over.
    ASSERT_GE(progress.size(), 3u);
    EXPECT_TRUE(progress.front().loading);
    EXPECT_EQ(progress[1].tried, 1u);
    EXPECT_EQ(progress[1].total, 8u);
    EXPECT_FALSE(progress.back().loading);
    EXPECT_TRUE(IsCommandEnabled(CCollCommand::saveCollectionAs, f.doc, context));
}

// Disks sorted and one removed while an insert reads its files: the inserted disks come after
// what the list then holds, in the order they were chosen. A Close drops the insert.
TEST(CollDocJobs, AnInsertGoesAfterTheDisksAsTheyAreWhenItEnds) {
    JobsFixture f;
    for (const char* title : {"M", "B", "Z"}) {
        WriteDisk(f.folder, title, 1);
    }
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, f.folder.Write("Three.col", "M.cdi\nB.cdi\nZ.cdi\n")));
    std::string y = WriteDisk(f.folder, "Y", 2);
    std::string a = WriteDisk(f.folder, "A", 2);

    ASSERT_TRUE(f.doc.InsertDisks({y, a}));
    EXPECT_TRUE(f.doc.IsInserting());
    EXPECT_FALSE(IsCommandEnabled(CCollCommand::insertDisks, f.doc, CCommandContext{}));
    f.doc.SortDisks(FieldName);
    f.doc.currentDisk = f.doc.collection.FindDiskByTitle("M");
    f.doc.RemoveCurrentDisk();
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(Titles(f.doc.collection), (Texts{"B", "Z", "Y", "A"}));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_TRUE(f.messages.messages.empty());

    f.doc.SetModifiedFlag(false);
    ASSERT_TRUE(f.doc.InsertDisks({WriteDisk(f.folder, "Late", 1)}));
    ASSERT_TRUE(f.doc.FileClose());
    f.queue.RunPending();
    EXPECT_TRUE(f.doc.collection.disks.empty());
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(f.doc.IsInserting());
}

// The page shows the disks as they were at Export, whatever happens to the list meanwhile; a
// page that cannot be written says why once the export is over, and leaves the old one.
TEST(CollDocJobs, AnExportWritesTheListAsItWasWhenItStarted) {
    JobsFixture f;
    WriteDisk(f.folder, "First", 11);
    WriteDisk(f.folder, "Second", 22);
    std::string path = f.folder.Write("Music.col", "First.cdi\nSecond.cdi\n");
    std::string page = f.folder.Path("Music.htm");
    // Nothing to export before the collection has a file and a disk.
    EXPECT_FALSE(f.doc.ExportDiskList({}));
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, path));

    Texts written;
    ASSERT_TRUE(f.doc.ExportDiskList([&](const std::string& at) { written.push_back(at); }));
    f.doc.collection.disks[0]->title = "Renamed";
    f.doc.currentDisk = f.doc.collection.disks[1];
    f.doc.RemoveCurrentDisk();
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(written, Texts{page});
    std::string html = CTempFolder::Read(page);
    EXPECT_NE(html.find("<TD>First</TD>"), std::string::npos);
    EXPECT_NE(html.find("<TD>Second</TD>"), std::string::npos);
    EXPECT_NE(html.find("<TD>22</TD>"), std::string::npos);
    EXPECT_EQ(html.find("Renamed"), std::string::npos);

    written.clear();
    InjectFault(FaultPoint::write, 1, ENOSPC);
    ASSERT_TRUE(f.doc.ExportDiskList([&](const std::string& at) { written.push_back(at); }));
    FinishDocJobs(f.queue, f.doc);
    ClearFaults();
    EXPECT_TRUE(written.empty());
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_NE(f.messages.messages[0].find("Music.htm"), std::string::npos);
    EXPECT_EQ(CTempFolder::Read(page), html);
}
