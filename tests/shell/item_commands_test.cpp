// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and copying catalogued items from a folder that stands in for the drive, every
// question answered by a script.

#include "shell/item_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "disk/disk_scanner.h"
#include "helpers/coll_settings.h"
#include "helpers/problems.h"
#include "platform/fault_injection.h"
#include "search/coll_search.h"
#include "search/search_result_list.h"
#include "shell/coll_doc.h"
#include "shell/selection_item.h"
#include "store/coll_disk.h"
#include "store/coll_item.h"
#include "support/disk_swap_ui.h"
#include "support/doc_jobs.h"
#include "support/job_gate.h"
#include "support/job_queue.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Answer = CPlatformUi::Answer;
using Calls = std::vector<std::string>;

const std::string oddName = "caf\xe9.txt";  // Windows-1252, not UTF-8

class CRecordingProgress : public CCopyProgressSink {
public:
    void Begin(const std::string& source, const CCatalogueTotals& totals, bool known) override {
        began = source;
        expected = totals;
        expectedKnown = known;
    }
    void Update(const CTreeCopyProgress& progress) override {
        last = progress;
        ++updates;
    }
    void End() override { ended = true; }

    std::string began;
    CCatalogueTotals expected;
    bool expectedKnown = false;
    CTreeCopyProgress last;
    int updates = 0;
    bool ended = false;
};

// A disk titled Holiday catalogued from the folder "drive", which the settings name as the
// drive, and an empty folder "dest" to copy into.
struct ItemFixture {
    ItemFixture() {
        folder.Write("drive/Docs/README", "read me");
        folder.Write("drive/Photos/a.jpg", std::string(1000, 'a'));
        folder.Write("drive/Photos/Sub/b.jpg", std::string(600 * 1024, 'b'));
        folder.Write("drive/" + oddName, "odd");
        fs::create_directories(folder.Path("dest"));
        drive = folder.Path("drive");
        CCollDisk scanned;
        CProblems problems;
        EXPECT_TRUE(ScanDisk(scanned, drive, problems));
        EXPECT_TRUE(scanned.SaveIndexFile(folder.Path("Holiday.cdi")));
        EXPECT_TRUE(InsertToEnd(queue, doc, {folder.Path("Holiday.cdi")}));
        disk = doc.collection.FindDiskByTitle("Holiday");
        settings.SetDrive(drive);
        commands = std::make_unique<CItemCommands>(doc, settings);
        // Every piece of a copy is reported, so the counts can be followed to the end.
        commands->GetJob().SetReportInterval(std::chrono::milliseconds(0));
        ui.calls.clear();
    }
    std::string Dest(const std::string& relative = {}) const {
        return relative.empty() ? folder.Path("dest") : folder.Path("dest/" + relative);
    }
    void Copy(const CCollItem& item, CCopyProgressSink* progress = nullptr) {
        ui.chosenFiles.push_back(Dest());
        CopyAsChosen(item, progress);
    }
    // Runs the command to its end as the window's thread would.
    void CopyAsChosen(const CCollItem& item, CCopyProgressSink* progress = nullptr) {
        commands->CopyItem(item, progress);
        Finish();
    }
    void Open(const CCollItem& item) {
        commands->OpenItem(item);
        Finish();
    }
    void Finish() {
        EXPECT_TRUE(queue.RunUntil([this] { return !commands->IsRunning(); }));
    }

    CJobQueue queue;
    CTempFolder folder;
    std::string drive;
    CCollSettings settings;
    CMessageRecorder messages;
    CDiskSwapUi ui;
    CCollDoc doc;
    CCollDisk* disk = nullptr;
    std::unique_ptr<CItemCommands> commands;
};

constexpr int folderId = 2;
constexpr int fileId = 3;

CCollItem Item(int typeId, const std::string& text) {
    CCollItem item{typeId, {}};
    EXPECT_TRUE(CCataloguePath::Parse(text, item.path)) << text;
    return item;
}

}  // namespace

TEST(ItemCommands, AsksForTheDiskUntilItIsThereOrTheUserCancels) {
    ItemFixture f;
    ASSERT_NE(f.disk, nullptr);
    std::string question = "ok-cancel: Please insert disk named\nHoliday\ninto drive " + f.drive;
    std::uint32_t serial = f.disk->header.serial;

    // Another disk in the drive (same label, other serial): OK asks again until the right one
    // is in, and only then is the item opened.
    f.disk->header.serial = serial + 1;
    int asked = 0;
    f.ui.onAsk = [&] {
        if (++asked == 2) {
            f.disk->header.serial = serial;
        }
    };
    f.ui.answers = {Answer::ok, Answer::ok};
    f.Open(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.ui.calls, (Calls{question, question, "wait: on",
                                 "shell: " + f.drive + "/Docs/README", "wait: off"}));

    // A label that differs only in case is another disk; Cancel ends the command.
    f.ui.calls.clear();
    f.ui.onAsk = nullptr;
    std::string label = f.disk->header.GetLabel();
    f.disk->header.SetLabel(label.empty() ? "x" : label + "X");
    f.CopyAsChosen(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.ui.calls, Calls{question});
    f.disk->header.SetLabel(label);

    // An empty drive is no disk either.
    f.ui.calls.clear();
    f.settings.SetDrive(f.folder.Path("nowhere"));
    f.Open(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.ui.calls.size(), 1u);
    f.settings.SetDrive(f.drive);

    // No disk of that title: nothing is said or asked.
    f.ui.calls.clear();
    f.Open(Item(fileId, "Other:\\x"));
    EXPECT_TRUE(f.ui.calls.empty());
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(ItemCommands, OpensWithTheNamesExactBytes) {
    ItemFixture f;
    f.Open(Item(fileId, "Holiday:\\\\" + oddName));
    f.Open(Item(folderId, "Holiday:\\Photos"));
    f.Open(Item(folderId, "Holiday:\\"));
    EXPECT_EQ(f.ui.calls, (Calls{"wait: on", "shell: " + f.drive + "/" + oddName, "wait: off",
                                 "wait: on", "shell: " + f.drive + "/Photos", "wait: off",
                                 "wait: on", "shell: " + f.drive, "wait: off"}));
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(ItemCommands, PathsThatCannotLeadIntoTheDriveAreRefused) {
    ItemFixture f;
    using Names = std::vector<std::string>;
    for (const Names& names : {Names{"..", "x"}, Names{"Docs", ".."}, Names{"a/b"},
                               Names{"Docs", "", "x"}, Names{"Docs", std::string("x\0y", 3)}}) {
        CCollItem item{fileId, {"Holiday", names}};
        f.messages.messages.clear();
        f.Copy(item);
        f.Open(item);
        // A message is a C string: it shows the path up to a NUL byte.
        std::string text = item.path.Text();
        EXPECT_EQ(f.messages.messages, Calls(2, "Invalid path: " + std::string(text.c_str())))
            << text;
    }
    // Only a folder can be the disk's root; a path needs a title.
    f.messages.messages.clear();
    f.Open({fileId, {"Holiday", {}}});
    f.Open({fileId, {"", {"x"}}});
    EXPECT_EQ(f.messages.messages,
              (Calls{"Invalid path: Holiday:\\", "Missing disk title in path :\\x"}));
    // A link on the disk that leads out of it is refused once the disk is in.
    fs::create_symlink(f.folder.Path("dest"), f.drive + "/Out");
    f.messages.messages.clear();
    f.Open(Item(folderId, "Holiday:\\Out"));
    EXPECT_EQ(f.messages.messages, Calls{"Invalid path: Holiday:\\Out"});
    // Never a question, a dialog or a shell call.
    EXPECT_TRUE(f.ui.calls.empty());
    EXPECT_TRUE(fs::is_empty(f.Dest()));
}

TEST(ItemCommands, CopiesAFileOnceAndSaysSoTheSecondTime) {
    ItemFixture f;
    ::chmod((f.drive + "/Docs/README").c_str(), 0444);
    f.Copy(Item(fileId, "Holiday:\\Docs\\README"));
    std::string source = f.drive + "/Docs/README";
    EXPECT_EQ(f.ui.calls,
              (Calls{"folder: |", "message: Copy file " + source + " to " + f.Dest("README"),
                     "wait: on", "wait: off"}));
    EXPECT_EQ(CTempFolder::Read(f.Dest("README")), "read me");
    EXPECT_EQ(fs::status(f.Dest("README")).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_TRUE(f.messages.messages.empty());

    f.Copy(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.messages.messages, Calls{"The file " + f.Dest("README") + " was already there"});

    // With the setting, the copy of a read-only file is writable; a name that is not UTF-8
    // is copied under its own bytes.
    f.settings.SetRemoveReadOnly(true);
    fs::remove(f.Dest("README"));
    f.Copy(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_NE(fs::status(f.Dest("README")).permissions() & fs::perms::owner_write, fs::perms::none);
    f.Copy(Item(fileId, "Holiday:\\\\" + oddName));
    EXPECT_EQ(CTempFolder::Read(f.Dest(oddName)), "odd");

    // Cancel in the folder chooser copies nothing.
    f.ui.calls.clear();
    f.CopyAsChosen(Item(fileId, "Holiday:\\Photos\\a.jpg"));
    EXPECT_EQ(f.ui.calls, Calls{"folder: |"});
    EXPECT_FALSE(fs::exists(f.Dest("a.jpg")));
}

TEST(ItemCommands, CopiesFoldersAndTheWholeDiskWithProgress) {
    ItemFixture f;
    CRecordingProgress progress;
    f.Copy(Item(folderId, "Holiday:\\Photos"), &progress);
    std::string source = f.drive + "/Photos";
    EXPECT_EQ(f.ui.calls, (Calls{"folder: |", "message: Copy the directory " + source + " in " +
                                                  f.Dest("Photos")}));
    EXPECT_EQ(CTempFolder::Read(f.Dest("Photos/Sub/b.jpg")), std::string(600 * 1024, 'b'));
    EXPECT_EQ(CTempFolder::Read(f.Dest("Photos/a.jpg")), std::string(1000, 'a'));
    // The catalogue's totals of the folder, and the progress against them.
    EXPECT_EQ(progress.began, source);
    EXPECT_TRUE(progress.expectedKnown);
    EXPECT_EQ(progress.expected.files, 2u);
    EXPECT_EQ(progress.expected.folders, 1u);
    EXPECT_EQ(progress.expected.bytes, 1000u + 600 * 1024);
    EXPECT_EQ(progress.last.files, 2u);
    EXPECT_EQ(progress.last.bytes, progress.expected.bytes);
    EXPECT_GT(progress.updates, 2);
    EXPECT_TRUE(progress.ended);
    EXPECT_TRUE(f.messages.messages.empty());

    // A second copy leaves every file as it was and says that they were there.
    f.Copy(Item(folderId, "Holiday:\\Photos"), &progress);
    EXPECT_EQ(f.messages.messages,
              Calls{"The files of " + source + " were already in " + f.Dest("Photos")});
    f.messages.messages.clear();
    fs::remove(f.Dest("Photos/a.jpg"));
    f.Copy(Item(folderId, "Holiday:\\Photos"), &progress);
    EXPECT_EQ(f.messages.messages, Calls{"1 files of " + source + " were already in " +
                                         f.Dest("Photos") + " and were left as they were"});
    EXPECT_TRUE(fs::exists(f.Dest("Photos/a.jpg")));

    // The disk's root goes into a folder named after its title.
    f.messages.messages.clear();
    f.Copy(Item(folderId, "Holiday:\\"), &progress);
    EXPECT_EQ(CTempFolder::Read(f.Dest("Holiday/Docs/README")), "read me");
    EXPECT_EQ(CTempFolder::Read(f.Dest("Holiday/" + oddName)), "odd");
    EXPECT_EQ(progress.expected.files, 4u);
    EXPECT_EQ(progress.expected.folders, 3u);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(ItemCommands, FailedAndStoppedCopiesLeaveNoHalfFile) {
    ItemFixture f;
    // Catalogued, but gone from the disk since.
    fs::remove(f.drive + "/Docs/README");
    f.Copy(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.messages.messages, (Calls{f.drive + "/Docs/README was not found.",
                                          "Failed copying " + f.drive + "/Docs/README"}));

    // A file where the folder's copy should go.
    f.messages.messages.clear();
    f.folder.Write("dest/Docs", "in the way");
    f.Copy(Item(folderId, "Holiday:\\Docs"));
    EXPECT_EQ(f.messages.messages, (Calls{"Access to " + f.Dest("Docs") + " was denied.",
                                          "Failed copying " + f.drive + "/Docs"}));

    // Stopped in the middle of the large file, held there as by a slow read: what was written
    // of it is removed, nothing is said, and a later copy completes it. The same stop at the
    // program's exit (abandoned) ends the command without a word or a window.
    f.messages.messages.clear();
    fs::remove(f.drive + "/Photos/a.jpg");
    for (bool abandoned : {false, true}) {
        SCOPED_TRACE(abandoned);
        CRecordingProgress progress;
        CJobGate gate;
        f.commands->GetJob().SetClock(gate.Clock());
        f.ui.chosenFiles.push_back(f.Dest());
        f.commands->CopyItem(Item(fileId, "Holiday:\\Photos\\Sub\\b.jpg"), &progress);
        // The disk is looked at first; the copy follows, and is held at its first piece.
        ASSERT_TRUE(f.queue.RunUntil([&] { return f.commands->IsCopying(); }));
        ASSERT_TRUE(gate.WaitHeld());
        EXPECT_TRUE(f.commands->IsRunning());
        f.commands->Stop();
        gate.Release();
        if (abandoned) {
            f.commands->Abandon();
            f.queue.RunPending();
        } else {
            f.Finish();
        }
        EXPECT_EQ(progress.ended, !abandoned);
        EXPECT_FALSE(f.commands->IsRunning());
        EXPECT_FALSE(fs::exists(f.Dest("b.jpg")));
        EXPECT_TRUE(f.messages.messages.empty());
    }
    f.commands->GetJob().SetClock([] { return std::chrono::steady_clock::now(); });
    f.Copy(Item(fileId, "Holiday:\\Photos\\Sub\\b.jpg"));
    EXPECT_EQ(fs::file_size(f.Dest("b.jpg")), 600u * 1024);
    CRecordingProgress again;
    f.Copy(Item(folderId, "Holiday:\\Photos"), &again);
    EXPECT_EQ(fs::file_size(f.Dest("Photos/Sub/b.jpg")), 600u * 1024);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(ItemCommands, ACopyEndsRightWhenItsDiskIsRemovedAndTheCollectionClosedMeanwhile) {
    ItemFixture f;
    CRecordingProgress progress;
    CJobGate gate;
    f.commands->GetJob().SetClock(gate.Clock());
    f.ui.chosenFiles.push_back(f.Dest());
    f.commands->CopyItem(Item(folderId, "Holiday:\\Photos"), &progress);
    // The disk is looked at first; the copy follows, and is held at its first piece.
    ASSERT_TRUE(f.queue.RunUntil([&] { return f.commands->IsCopying(); }));
    ASSERT_TRUE(gate.WaitHeld());
    ASSERT_TRUE(f.doc.SelectDisk(f.disk));
    f.doc.RemoveCurrentDisk();
    f.doc.DeleteContents();
    f.disk = nullptr;
    gate.Release();
    f.Finish();
    // The totals were the catalogue's when the copy started; the copy is whole.
    EXPECT_TRUE(progress.ended);
    EXPECT_EQ(progress.expected.files, 2u);
    EXPECT_EQ(progress.last.files, 2u);
    EXPECT_EQ(CTempFolder::Read(f.Dest("Photos/Sub/b.jpg")), std::string(600 * 1024, 'b'));
    EXPECT_TRUE(f.messages.messages.empty());
}

namespace {

// Adds every result to a results table, as the search panel does.
class CResultTable : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override { list.Add(result); }
    CSearchResultList list;
};

}  // namespace

TEST(ItemCommands, NamesHoldingBackslashesLeadToTheItemTheUserChose) {
    CTempFolder folder;
    CMessageRecorder messages;
    CDiskSwapUi ui;
    folder.Write("drive/a\\b/y.txt", "first");
    folder.Write("drive/a/b/y.txt", "second");
    folder.Write("drive/back\\slash.txt", "slash");
    CCollDisk scanned;
    CProblems problems;
    ASSERT_TRUE(ScanDisk(scanned, folder.Path("drive"), problems));
    ASSERT_TRUE(scanned.SaveIndexFile(folder.Path("Odd.cdi")));
    CJobQueue queue;
    CCollDoc doc;
    ASSERT_TRUE(InsertToEnd(queue, doc, {folder.Path("Odd.cdi")}));
    CCollSettings settings;
    settings.SetDrive(folder.Path("drive"));
    CItemCommands commands(doc, settings);
    auto finish = [&] { EXPECT_TRUE(queue.RunUntil([&] { return !commands.IsRunning(); })); };

    CResultTable results;
    CCollSearchCriteria criteria;
    criteria.SetWords("y.txt slash");
    criteria.type = &CCollDiskItemType::fileType;
    ASSERT_NO_THROW(CCollSearch(&doc.collection).Run(criteria, results));
    const CSearchResultList& list = results.list;
    ASSERT_EQ(list.GetCount(), 3u);
    int copies = 0;
    for (std::size_t row = 0; row < list.GetCount(); ++row) {
        CCollItem found{fileId, list.GetCataloguePath(row)};
        std::string expected = found.path.names.size() == 1 ? "slash"
                               : found.path.names[0] == "a" ? "second"
                                                            : "first";
        SCOPED_TRACE(expected);
        // Find item in structure selects that very file, through its own folders.
        CCollPathSelection selection = doc.SelectPath(found);
        ASSERT_TRUE(selection.complete);
        ASSERT_NE(selection.file, nullptr);
        std::vector<const CCollDiskFolder*> chain(selection.folders.begin(),
                                                  selection.folders.end());
        EXPECT_EQ(chain.size() + 1, found.path.names.size());
        EXPECT_TRUE(messages.messages.empty());

        // Copy from the result, and from the browse panel's selection it led to.
        for (const CCollItem& item :
             {found, SelectionItem(*selection.disk, chain, selection.file)}) {
            std::string dest = folder.Path("dest" + std::to_string(++copies));
            fs::create_directories(dest);
            ui.chosenFiles.push_back(dest);
            commands.CopyItem(item, nullptr);
            finish();
            EXPECT_EQ(CTempFolder::Read(dest + "/" + item.path.names.back()), expected);
        }
        // Open hands the desktop the file itself.
        ui.calls.clear();
        commands.OpenItem(found);
        finish();
        ASSERT_EQ(ui.calls.size(), 3u);
        EXPECT_EQ(CTempFolder::Read(ui.calls[1].substr(std::string("shell: ").size())), expected);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ItemCommands, AFailedCopySaysWhyBeforeWhatFailed) {
    ItemFixture f;
    std::string source = f.drive + "/Docs/README";
    // The destination fills up: nothing of the copy is left behind.
    InjectFault(FaultPoint::write, 1, ENOSPC);
    f.Copy(Item(fileId, "Holiday:\\Docs\\README"));
    ClearFaults();
    EXPECT_EQ(f.messages.messages, (Calls{"Disk full while accessing " + f.Dest("README") + ".",
                                          "Failed copying " + source}));
    EXPECT_FALSE(fs::exists(f.Dest("README")));

    // The same in a folder copy names the file it was writing.
    f.messages.messages.clear();
    InjectFault(FaultPoint::write, 1, ENOSPC);
    f.Copy(Item(folderId, "Holiday:\\Photos"));
    ClearFaults();
    ASSERT_EQ(f.messages.messages.size(), 2u);
    EXPECT_EQ(f.messages.messages[0].rfind("Disk full while accessing " + f.Dest("Photos/"), 0),
              0u);
    EXPECT_EQ(f.messages.messages[1].rfind("Failed copying " + f.drive + "/Photos/", 0), 0u);

    // A destination folder gone since it was chosen.
    f.messages.messages.clear();
    f.ui.chosenFiles.push_back(f.folder.Path("gone"));
    f.CopyAsChosen(Item(fileId, "Holiday:\\Docs\\README"));
    EXPECT_EQ(f.messages.messages, (Calls{f.folder.Path("gone/README") + " was not found.",
                                          "Failed copying " + source}));

    // A destination the user may not write to (root may write anywhere).
    if (::geteuid() != 0) {
        f.messages.messages.clear();
        fs::create_directories(f.Dest("locked"));
        ::chmod(f.Dest("locked").c_str(), 0555);
        f.ui.chosenFiles.push_back(f.Dest("locked"));
        f.CopyAsChosen(Item(fileId, "Holiday:\\Docs\\README"));
        EXPECT_EQ(f.messages.messages,
                  (Calls{"Access to " + f.Dest("locked/README") + " was denied.",
                         "Failed copying " + source}));
        ::chmod(f.Dest("locked").c_str(), 0755);
    }
}
