// SPDX-License-Identifier: GPL-3.0-or-later
// The File commands as the frame drives them, each question answered by a script.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "helpers/coll_settings.h"
#include "helpers/recent_file_list.h"
#include "shell/coll_doc.h"
#include "store/coll_disk.h"
#include "support/doc_jobs.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

using Answer = CPlatformUi::Answer;
using Calls = std::vector<std::string>;

struct CommandsFixture {
    CommandsFixture() {
        CCollDisk disk;
        diskPath = folder.Path("A.cdi");
        EXPECT_TRUE(disk.SaveIndexFile(diskPath));
        doc.SetRecentFileList(&recent);
    }
    // A collection with one unsaved insert.
    void MakeModified() {
        ASSERT_TRUE(InsertToEnd(queue, doc, {diskPath}));
        ui.calls.clear();
    }
    CTempFolder folder;
    std::string diskPath;
    CCollSettings settings;
    CRecentFileList recent;
    CMessageRecorder messages;
    CScriptedPlatformUi ui;
    CJobQueue queue;
    CCollDoc doc;
};

}  // namespace

TEST(CollDocCommands, CloseAsksToSaveAndEachAnswerDoesWhatItSays) {
    CommandsFixture f;
    // Nothing to save: no question.
    EXPECT_TRUE(f.doc.FileClose());
    EXPECT_TRUE(f.ui.calls.empty());

    f.MakeModified();
    f.ui.answers = {Answer::cancel};
    EXPECT_FALSE(f.doc.FileClose());
    EXPECT_EQ(f.ui.calls, Calls{"yes-no-cancel: Save changes to Untitled?"});
    EXPECT_EQ(f.doc.collection.disks.size(), 1u);
    EXPECT_TRUE(f.doc.IsModified());

    // Yes on a collection never saved asks for a name; Cancel there keeps everything.
    f.ui.calls.clear();
    f.ui.answers = {Answer::yes};
    EXPECT_FALSE(f.doc.FileClose());
    EXPECT_EQ(f.ui.calls,
              (Calls{"yes-no-cancel: Save changes to Untitled?", "save: |Untitled.col"}));
    EXPECT_EQ(f.doc.collection.disks.size(), 1u);
    EXPECT_TRUE(f.doc.IsModified());
    const CFileDialogOptions& dialog = f.ui.fileDialogs.back();
    EXPECT_EQ(dialog.title, "Save As");
    EXPECT_EQ(dialog.filterName, "Collection files");
    EXPECT_EQ(dialog.filterPattern, "*.col");
    EXPECT_EQ(dialog.defaultExtension, "");

    // Yes with a name typed without extension saves under that very name, then closes.
    std::string typed = f.folder.Path("Music");
    f.ui.answers = {Answer::yes};
    f.ui.chosenFiles = {typed};
    EXPECT_TRUE(f.doc.FileClose());
    EXPECT_EQ(CTempFolder::Read(typed), "A.cdi\r\n");
    EXPECT_TRUE(f.doc.collection.disks.empty());
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    EXPECT_EQ(f.doc.GetPathName(), "");
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(f.recent.GetEntries(), Calls{typed});

    // No drops the changes; the question names the file.
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, typed));
    f.MakeModified();
    f.ui.answers = {Answer::no};
    EXPECT_TRUE(f.doc.FileNew());
    EXPECT_EQ(f.ui.calls, Calls{"yes-no-cancel: Save changes to Music?"});
    EXPECT_TRUE(f.doc.collection.disks.empty());
    EXPECT_EQ(CTempFolder::Read(typed), "A.cdi\r\n");

    // Yes on a named collection saves it where it is; a failed save keeps it open.
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, typed));
    f.doc.SetDescription("Old songs");
    f.ui.answers = {Answer::yes};
    EXPECT_TRUE(f.doc.CanClose());
    EXPECT_EQ(CTempFolder::Read(typed), "[DESCRIPTION]\r\nOld songs\r\n\r\nA.cdi\r\n");
    std::filesystem::remove(typed);
    std::filesystem::create_directory(typed);
    f.doc.SetDescription("Newer songs");
    f.ui.answers = {Answer::yes};
    EXPECT_FALSE(f.doc.CanClose());
    EXPECT_FALSE(f.messages.messages.empty());
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.doc.GetPathName(), typed);
}

TEST(CollDocCommands, OpenSaveAsAndTheRecentList) {
    CommandsFixture f;
    std::string first = f.folder.Write("Lists/First.col", f.diskPath + "\n");
    std::string second = f.folder.Write("Other/Second.col", f.diskPath + "\n");
    f.ui.chosenPaths = {{first}};
    ASSERT_TRUE(f.doc.FileOpen());
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.ui.fileDialogs.back().title, "Open collection");
    EXPECT_EQ(f.ui.fileDialogs.back().filterPattern, "*.col");
    EXPECT_EQ(f.ui.fileDialogs.back().initialFolder, "");
    EXPECT_EQ(f.doc.GetTitle(), "First.col");

    // The next dialog starts in the folder of the most recent file.
    f.ui.chosenPaths = {{second}};
    ASSERT_TRUE(f.doc.FileOpen());
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.ui.fileDialogs.back().initialFolder, f.folder.Path("Lists/"));
    EXPECT_EQ(f.recent.GetEntries(), (Calls{second, first}));

    // Save As proposes the current folder and name and puts the new name on top.
    std::string copy = f.folder.Path("Lists/Copy.col");
    f.ui.chosenFiles = {copy};
    ASSERT_TRUE(f.doc.FileSaveAs());
    EXPECT_EQ(f.ui.fileDialogs.back().initialName, "Second.col");
    EXPECT_EQ(f.ui.fileDialogs.back().initialFolder, f.folder.Path("Other/"));
    EXPECT_EQ(f.recent.GetEntries(), (Calls{copy, second, first}));
    EXPECT_EQ(f.doc.GetPathName(), copy);

    // A recent entry whose file is gone fails and leaves the list; one opened moves up.
    std::filesystem::remove(second);
    EXPECT_TRUE(f.doc.OpenRecentFile(1));
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.recent.GetEntries(), (Calls{copy, first}));
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    ASSERT_TRUE(f.doc.OpenRecentFile(1));
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.recent.GetEntries(), (Calls{first, copy}));
    EXPECT_FALSE(f.doc.OpenRecentFile(2));

    // Cancelling the save question keeps the entry and the collection.
    f.MakeModified();
    f.ui.answers = {Answer::cancel};
    std::filesystem::remove(copy);
    EXPECT_FALSE(f.doc.OpenRecentFile(1));
    EXPECT_EQ(f.recent.GetEntries(), (Calls{first, copy}));
    EXPECT_EQ(f.doc.GetPathName(), first);

    // A cancelled dialog changes nothing.
    EXPECT_FALSE(f.doc.FileOpen());
    EXPECT_FALSE(f.doc.FileSaveAs());
    EXPECT_EQ(f.doc.GetPathName(), first);
}

// A collection kept under a path that is not UTF-8 (a folder and a name from the other
// platform's code page) is proposed by Save As as its own folder and name, bytes as they
// are, whatever file was used last; accepting the proposal rewrites that very file.
TEST(CollDocCommands, SaveAsProposesTheCurrentPathWhateverItsBytes) {
    CommandsFixture f;
    std::string path = f.folder.Write("\xC9t\xE9/bad\xFF\xFE.col", f.diskPath + "\n");
    std::string other = f.folder.Write("Other/Other.col", "");
    f.ui.chosenPaths = {{path}};
    ASSERT_TRUE(f.doc.FileOpen());
    FinishDocJobs(f.queue, f.doc);
    f.recent.Add(other);
    CCollDisk disk;
    std::string second = f.folder.Path("B.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(second));
    ASSERT_TRUE(InsertToEnd(f.queue, f.doc, {second}));

    f.ui.chosenFiles = {path};
    ASSERT_TRUE(f.doc.FileSaveAs());
    const CFileDialogOptions& proposal = f.ui.fileDialogs.back();
    EXPECT_EQ(proposal.title, "Save As");
    EXPECT_EQ(proposal.initialFolder, f.folder.Path("\xC9t\xE9/"));
    EXPECT_EQ(proposal.initialName, "bad\xFF\xFE.col");
    EXPECT_TRUE(f.messages.messages.empty());
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(f.doc.GetPathName(), path);
    EXPECT_EQ(f.recent.GetFirst(), path);
    // Both disks went into the file that was proposed, and it reads back.
    ASSERT_TRUE(OpenToEnd(f.queue, f.doc, path));
    EXPECT_EQ(f.doc.collection.disks.size(), 2u);
}

TEST(CollDocCommands, TheStateListenerFollowsFlagTitleAndPath) {
    CommandsFixture f;
    std::vector<std::string> states;
    std::size_t id = f.doc.AddStateListener([&] {
        states.push_back(f.doc.GetTitle() + (f.doc.IsModified() ? " *" : "") + " " +
                         f.doc.GetPathName());
    });
    f.doc.SetDescription("");
    EXPECT_TRUE(states.empty());
    f.doc.SetDescription("Holiday");
    EXPECT_EQ(states, Calls{"Untitled * "});

    std::string path = f.folder.Path("Holiday.col");
    f.ui.chosenFiles = {path};
    ASSERT_TRUE(f.doc.FileSave());
    EXPECT_EQ(states.back(), "Holiday.col " + path);
    EXPECT_FALSE(f.doc.IsModified());

    states.clear();
    ASSERT_TRUE(f.doc.FileClose());
    EXPECT_EQ(states.back(), "Untitled ");
    f.doc.RemoveStateListener(id);
    states.clear();
    f.doc.SetDescription("Gone");
    EXPECT_TRUE(states.empty());
}

TEST(CollDocCommands, TheCollectionNamedOnTheCommandLineIsTheOneThatOpens) {
    CommandsFixture f;
    std::string named = f.folder.Write("Named.col", f.diskPath + "\n");
    std::string last = f.folder.Write("Last.col", "");
    EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, named, true, last));
    EXPECT_EQ(f.doc.GetPathName(), named);

    EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, "", true, last));
    EXPECT_EQ(f.doc.GetPathName(), last);
    EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, "", false, last));
    EXPECT_EQ(f.doc.GetPathName(), "");
    EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, "", true, ""));
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");

    // A named collection that cannot be opened ends the start; a last one does not.
    EXPECT_FALSE(StartUpToEnd(f.queue, f.doc, f.folder.Path("missing.col"), true, last));
    EXPECT_EQ(f.doc.GetPathName(), "");
    EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, "", true, f.folder.Path("missing.col")));
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");

    // A disk index file named instead is shown, chosen, in a new collection yet to be saved.
    std::string upper = f.folder.Path("Upper.CDI");
    ASSERT_TRUE(CCollDisk().SaveIndexFile(upper));
    for (const std::string& index : {f.diskPath, upper}) {
        EXPECT_TRUE(StartUpToEnd(f.queue, f.doc, index, true, named));
        EXPECT_EQ(f.doc.GetPathName(), "");
        EXPECT_TRUE(f.doc.IsModified());
        ASSERT_EQ(f.doc.collection.disks.size(), 1u);
        EXPECT_EQ(f.doc.collection.disks[0]->indexPath, index);
        EXPECT_EQ(f.doc.currentDisk, f.doc.collection.disks[0]);
        f.doc.SetModifiedFlag(false);
    }
    f.folder.Write("Damaged.cdi", "x");
    EXPECT_FALSE(StartUpToEnd(f.queue, f.doc, f.folder.Path("Damaged.cdi"), true, named));
    EXPECT_EQ(f.doc.collection.disks.size(), 0u);
    EXPECT_FALSE(f.messages.messages.empty());
}

TEST(CollDocCommands, DroppedIndexFilesGoInAndADroppedCollectionOpens) {
    CommandsFixture f;
    std::string other = f.folder.Path("B.CDI");
    ASSERT_TRUE(CCollDisk().SaveIndexFile(other));
    std::string collection = f.folder.Write("Mine.col", f.diskPath + "\n");
    std::string notes = f.folder.Write("notes.txt", "");

    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{}, {notes}, {collection, collection}}) {
        EXPECT_FALSE(f.doc.CanOpenDroppedFiles(refused));
        EXPECT_FALSE(f.doc.OpenDroppedFiles(refused));
    }
    // Index files win over the collection beside them, and go into the open collection.
    ASSERT_TRUE(f.doc.OpenDroppedFiles({notes, f.diskPath, collection, other}));
    FinishDocJobs(f.queue, f.doc);
    ASSERT_EQ(f.doc.collection.disks.size(), 2u);
    EXPECT_EQ(f.doc.collection.disks[1]->indexPath, other);
    EXPECT_TRUE(f.doc.IsModified());

    // A collection alone replaces this one, after the save question.
    f.ui.answers = {Answer::no};
    ASSERT_TRUE(f.doc.OpenDroppedFiles({collection}));
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.doc.GetPathName(), collection);
    EXPECT_EQ(f.ui.calls, Calls{"yes-no-cancel: Save changes to Untitled?"});
}
