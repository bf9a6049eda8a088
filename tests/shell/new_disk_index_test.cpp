// SPDX-License-Identifier: GPL-3.0-or-later
// New disk index from the drive to the index file: the drive probe, the scan and its stop,
// the two dialogs, the write, the remembered folder and the eject, with a folder (or a
// loop-mounted filesystem) as the drive.

#include "shell/new_disk_index.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "helpers/coll_settings.h"
#include "helpers/local_time.h"
#include "platform/fault_injection.h"
#include "platform/volume.h"
#include "shell/coll_doc.h"
#include "shell/disk_edit.h"
#include "store/coll_disk.h"
#include "support/doc_jobs.h"
#include "support/job_gate.h"
#include "support/job_queue.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/system_tools.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace {

using Outcome = CNewDiskIndexOutcome;
using Answer = CPlatformUi::Answer;

// Every path under `folder`, to see that a command left the drive as it found it.
std::set<std::string> TreeOf(const std::string& folder) {
    std::set<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        paths.insert(entry.path().string());
    }
    return paths;
}

// Hooks that record what the command did with them; the disk form answers `formAnswer` and
// names the disk `title`.
struct CRecordedHooks {
    CRecordedHooks() {
        hooks.beginScan = [this] { events.push_back("begin scan"); };
        hooks.endScan = [this] { events.push_back("end scan"); };
        hooks.scanProgress = [this](const CScanCounts& counts) {
            last = counts;
            ++reports;
        };
        hooks.editNewDisk = [this](CCollDisk& disk) {
            events.push_back("form");
            formTotals = disk.header.totalFiles;
            proposedTitle = disk.title;
            proposedBurnDate = disk.header.burnDate;
            disk.title = title;
            return formAnswer;
        };
        hooks.ejectDisk = [this](const std::string& drive) { events.push_back("eject " + drive); };
    }

    CNewDiskIndexHooks hooks;
    std::vector<std::string> events;
    CScanCounts last;
    int reports = 0;
    std::int32_t formTotals = -1;
    std::string proposedTitle;
    Time32 proposedBurnDate = 0;
    std::string title = "Music 01";
    bool formAnswer = true;
};

// A drive that is a folder: two files at the root, a folder with one more.
struct CDriveFolder {
    CDriveFolder() {
        folder.Write("drive/readme.txt", "abc");
        folder.Write("drive/cover.jpg", "12345");
        folder.Write("drive/Tracks/01.mp3", "1234567");
        settings.SetDrive(folder.Path("drive"));
        settings.SetLastCdiFolder("/earlier/");
        std::filesystem::create_directories(folder.Path("out"));
    }

    CTempFolder folder;
    CCollSettings settings;
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
};

// A CPlatformUi whose Retry puts the disk in the drive, as the user would before pressing it.
class CDiskArrivesOnRetry : public CScriptedPlatformUi {
public:
    explicit CDiskArrivesOnRetry(std::string drive) : drive(std::move(drive)) {}
    Answer AskRetryCancel(const std::string& text) override {
        Answer answer = CScriptedPlatformUi::AskRetryCancel(text);
        if (answer == Answer::retry) {
            std::filesystem::create_directories(drive);
        }
        return answer;
    }

private:
    std::string drive;
};

// Runs the command to its end as the window's thread would, the scan's batches included.
Outcome RunToEnd(CCollSettings& settings, CNewDiskIndexHooks hooks,
                 std::string* written = nullptr) {
    CJobQueue queue;
    std::optional<Outcome> outcome;
    hooks.finished = [&](Outcome ended, const std::string& path) {
        outcome = ended;
        if (written != nullptr) {
            *written = path;
        }
    };
    CNewDiskIndex command(settings, hooks);
    command.Start();
    EXPECT_TRUE(queue.RunUntil([&] { return outcome.has_value(); }));
    EXPECT_FALSE(command.IsRunning());
    return outcome.value_or(Outcome::failed);
}

}  // namespace

TEST(NewDiskIndex, WritesTheScannedDiskUnderTheChosenNameAndRemembersItsFolder) {
    CDriveFolder drive;
    CRecordedHooks recorded;
    std::string chosen = drive.folder.Path("out/Music 01.cdi");
    drive.ui.chosenFiles.push_back(chosen);
    std::string written;
    std::set<std::string> before = TreeOf(drive.folder.Path("drive"));

    EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks, &written), Outcome::written);
    EXPECT_EQ(written, chosen);
    EXPECT_TRUE(drive.messages.messages.empty());
    // The form already sees the totals; the wait box is gone before it opens.
    EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan", "form"}));
    EXPECT_EQ(recorded.formTotals, 3);
    EXPECT_EQ(recorded.last.folders, 1);
    EXPECT_EQ(recorded.last.files, 3);
    EXPECT_EQ(drive.ui.calls, (std::vector<std::string>{"save: /earlier/|Music 01"}));
    ASSERT_EQ(drive.ui.fileDialogs.size(), 1u);
    const CFileDialogOptions& options = drive.ui.fileDialogs[0];
    EXPECT_EQ(options.filterName, "CD index files");
    EXPECT_EQ(options.filterPattern, "*.cdi");
    EXPECT_EQ(options.defaultExtension, "cdi");
    EXPECT_TRUE(options.confirmOverwrite);

    auto disk = CCollDisk::OfIndexFile(chosen);
    ASSERT_TRUE(disk->ReadHeader());
    EXPECT_EQ(disk->title, "Music 01");
    EXPECT_EQ(disk->header.totalFiles, 3);
    EXPECT_EQ(disk->header.totalFolders, 1);
    EXPECT_EQ(disk->header.totalBytes, 15u);
    EXPECT_EQ(drive.settings.GetLastCdiFolder(), drive.folder.Path("out/"));
    EXPECT_EQ(TreeOf(drive.folder.Path("drive")), before);

    // With the switch on, the door opens after the write, and the next save dialog starts
    // where the last index went.
    drive.settings.SetEjectAfterScan(true);
    drive.ui.chosenFiles.push_back(drive.folder.Path("out/Music 02.cdi"));
    recorded.events.clear();
    EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::written);
    EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan", "form",
                                                         "eject " + drive.folder.Path("drive")}));
    EXPECT_EQ(drive.ui.fileDialogs.back().initialFolder, drive.folder.Path("out/"));
    EXPECT_TRUE(std::filesystem::exists(drive.folder.Path("out/Music 02.cdi")));
}

TEST(NewDiskIndex, TheProbeAsksAgainUntilTheDiskIsThereOrTheUserGivesUp) {
    CTempFolder folder;
    CCollSettings settings;
    CMessageRecorder messages;
    CRecordedHooks recorded;
    std::string missing = folder.Path("no disk");
    settings.SetDrive(missing);
    {
        CScriptedPlatformUi ui;
        ui.answers = {Answer::retry, Answer::cancel};
        EXPECT_EQ(RunToEnd(settings, recorded.hooks), Outcome::cancelled);
        std::string question = "retry-cancel: Failed opening folder " + missing;
        EXPECT_EQ(ui.calls, (std::vector<std::string>{question, question}));
    }
    // Cancel at once: no scan, no wait box, no form.
    EXPECT_TRUE(recorded.events.empty());
    EXPECT_EQ(recorded.reports, 0);

    // Retry once the disk is in goes on to the scan.
    CDiskArrivesOnRetry ui(missing);
    ui.answers = {Answer::retry};
    ui.chosenFiles.push_back(folder.Path("Empty.cdi"));
    EXPECT_EQ(RunToEnd(settings, recorded.hooks), Outcome::written);
    EXPECT_EQ(ui.calls.size(), 2u);  // the question, the save dialog
    auto disk = CCollDisk::OfIndexFile(folder.Path("Empty.cdi"));
    ASSERT_TRUE(disk->ReadHeader());
    EXPECT_EQ(disk->header.totalFiles, 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(NewDiskIndex, EveryCancelAndAFailedWriteLeaveNoFileNoRememberedFolderAndTheDiskIn) {
    CDriveFolder drive;
    drive.settings.SetEjectAfterScan(true);
    std::set<std::string> driveBefore = TreeOf(drive.folder.Path("drive"));

    // Cancel in the disk form: the save dialog never shows.
    {
        CRecordedHooks recorded;
        recorded.formAnswer = false;
        EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::cancelled);
        EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan", "form"}));
        EXPECT_TRUE(drive.ui.fileDialogs.empty());
    }
    // Cancel in the save dialog.
    {
        CRecordedHooks recorded;
        EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::cancelled);
        EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan", "form"}));
        EXPECT_EQ(drive.ui.fileDialogs.size(), 1u);
    }
    // Cancelled during the scan, even once the scan has read everything: neither the form
    // nor the save dialog, and no message.
    {
        CJobQueue queue;
        CRecordedHooks recorded;
        std::optional<Outcome> outcome;
        recorded.hooks.finished = [&](Outcome ended, const std::string&) { outcome = ended; };
        CNewDiskIndex command(drive.settings, recorded.hooks);
        ASSERT_TRUE(command.Start());
        command.Stop();
        ASSERT_TRUE(queue.RunUntil([&] { return outcome.has_value(); }));
        EXPECT_EQ(outcome, Outcome::cancelled);
        EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan"}));
        EXPECT_EQ(drive.ui.fileDialogs.size(), 1u);
    }
    EXPECT_TRUE(drive.messages.messages.empty());
    // A write that cannot be done (a path under a file, which even root cannot create) says
    // why, and neither remembers the folder nor ejects.
    {
        CRecordedHooks recorded;
        std::string underFile = drive.folder.Path("drive/readme.txt/Music 01.cdi");
        drive.ui.chosenFiles.push_back(underFile);
        EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::failed);
        EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan", "form"}));
        EXPECT_EQ(drive.messages.messages.size(), 1u);
    }
    EXPECT_EQ(drive.settings.GetLastCdiFolder(), "/earlier/");
    EXPECT_TRUE(std::filesystem::is_empty(drive.folder.Path("out")));
    EXPECT_EQ(TreeOf(drive.folder.Path("drive")), driveBefore);
}

TEST(NewDiskIndex, ALoopMountedFilesystemIsIndexedThroughItsDevice) {
    std::string mkfs = FindTool("mkfs.ext4");
    if (::geteuid() != 0 || mkfs.empty()) {
        GTEST_SKIP() << "loop devices and mounts need root and mkfs.ext4";
    }
    CTempFolder folder;
    std::string image = folder.Path("disk.img");
    std::filesystem::resize_file(folder.Write("disk.img"), std::uintmax_t{8} << 20);
    ASSERT_TRUE(RunQuietly(mkfs + " -q -F -L Holiday " + Quoted(image)));
    std::filesystem::create_directories(folder.Path("mnt"));
    LoopMount loop;
    if (!loop.Attach(image)) {
        GTEST_SKIP() << "no free loop device";
    }
    if (!RunQuietly("mount " + loop.device + " " + Quoted(folder.Path("mnt")))) {
        GTEST_SKIP() << "this machine cannot mount an ext4 loop device";
    }
    loop.mountPoints.push_back(folder.Path("mnt"));
    std::filesystem::create_directories(folder.Path("mnt/Photos"));
    std::ofstream(folder.Path("mnt/Photos/beach.jpg")) << "sand";

    CCollSettings settings;
    settings.SetDrive(loop.device);
    settings.SetEjectAfterScan(true);
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
    CRecordedHooks recorded;
    ui.chosenFiles.push_back(folder.Path("Holiday.cdi"));
    EXPECT_EQ(RunToEnd(settings, recorded.hooks), Outcome::written);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(recorded.events.back(), "eject " + loop.device);
    EXPECT_EQ(recorded.proposedTitle, "Holiday");

    auto disk = CCollDisk::OfIndexFile(folder.Path("Holiday.cdi"));
    ASSERT_TRUE(disk->ReadHeader());
    EXPECT_EQ(disk->header.GetLabel(), "Holiday");
    EXPECT_EQ(disk->header.totalFiles, 1);
    EXPECT_EQ(disk->header.totalFolders, 2);  // Photos and the filesystem's lost+found
    EXPECT_TRUE(disk->IsInDrive(loop.device));
}

TEST(NewDiskIndex, TheFormProposesTheLabelAndTheLocalDayOfTheNewestChangeOnTheDisk) {
    CTimeZone berlin("Europe/Berlin");
    CDriveFolder drive;
    auto at = [](std::int64_t seconds) {
        return std::filesystem::file_time_type::clock::from_sys(
            std::chrono::sys_seconds(std::chrono::seconds(seconds)));
    };
    // Files from 2005 and 2006; the folder changed last, on 2006-07-01 at 23:30 UTC, which is
    // already the 2nd in Berlin.
    std::filesystem::last_write_time(drive.folder.Path("drive/readme.txt"), at(1141466400));
    std::filesystem::last_write_time(drive.folder.Path("drive/cover.jpg"), at(1104537600));
    std::filesystem::last_write_time(drive.folder.Path("drive/Tracks/01.mp3"), at(1120000000));
    std::filesystem::last_write_time(drive.folder.Path("drive/Tracks"), at(1151796600));
    CRecordedHooks recorded;
    recorded.formAnswer = false;
    EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::cancelled);

    Time64 first = 0;
    Time64 last = 0;
    ASSERT_TRUE(GetLocalDayBounds(2006, 7, 2, first, last));
    EXPECT_EQ(recorded.proposedBurnDate, first);
    // A folder as the drive has the label of the filesystem it lies on, if any and if usable.
    CVolumeInfo volume;
    ASSERT_TRUE(ReadVolumeInformation(drive.folder.Path("drive"), volume));
    EXPECT_EQ(recorded.proposedTitle,
              CCollDiskEdit::IsValidTitle(volume.label) ? volume.label : std::string());
    EXPECT_FALSE(CCollDiskEdit::IsValidTitle("   "));
    EXPECT_FALSE(CCollDiskEdit::IsValidTitle("A:B"));
    EXPECT_TRUE(CCollDiskEdit::IsValidTitle("USBSTICK"));
}

TEST(NewDiskIndex, CancelReachesAScanHeldByASlowReadAndTheWindowWaitsForNothing) {
    CDriveFolder drive;
    for (int i = 0; i < 20; ++i) {
        drive.folder.Write("drive/Folder " + std::to_string(i) + "/track.mp3", "x");
    }
    CJobQueue queue;
    CJobGate gate;
    CRecordedHooks recorded;
    std::optional<Outcome> outcome;
    recorded.hooks.finished = [&](Outcome ended, const std::string&) { outcome = ended; };
    CNewDiskIndex command(drive.settings, recorded.hooks);
    command.GetJob().SetClock(gate.Clock());
    ASSERT_TRUE(command.Start());
    // The scan is stuck in its first report; this thread goes on and cancels.
    ASSERT_TRUE(gate.WaitHeld());
    EXPECT_TRUE(command.IsRunning());
    command.Stop();
    gate.Release();
    ASSERT_TRUE(queue.RunUntil([&] { return outcome.has_value(); }));
    EXPECT_EQ(outcome, Outcome::cancelled);
    EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan"}));
    // It stopped there: the files inside the folders were never counted.
    EXPECT_EQ(recorded.reports, 1);
    EXPECT_LT(recorded.last.files, 20);
    EXPECT_TRUE(drive.ui.fileDialogs.empty());
    EXPECT_TRUE(drive.messages.messages.empty());
}

TEST(NewDiskIndex, AFolderThatFailsToReadIsShownAfterTheScanAndNothingIsWritten) {
    CDriveFolder drive;
    CRecordedHooks recorded;
    // Reads: the root's entries, its end, then those of Tracks.
    InjectFault(FaultPoint::readFolder, 3, EIO);
    EXPECT_EQ(RunToEnd(drive.settings, recorded.hooks), Outcome::failed);
    ClearFaults();
    EXPECT_EQ(recorded.events, (std::vector<std::string>{"begin scan", "end scan"}));
    EXPECT_EQ(drive.messages.messages,
              std::vector<std::string>{"Failed reading folder " +
                                       drive.folder.Path("drive/Tracks") + ": Input/output error"});
    EXPECT_TRUE(drive.ui.fileDialogs.empty());
}

TEST(NewDiskIndex, TheCollectionClosedDuringTheScanChangesNothingItWrites) {
    CDriveFolder drive;
    drive.ui.chosenFiles.push_back(drive.folder.Path("out/First.cdi"));
    CRecordedHooks first;
    ASSERT_EQ(RunToEnd(drive.settings, first.hooks), Outcome::written);
    CJobQueue queue;
    CCollDoc doc;
    ASSERT_TRUE(InsertToEnd(queue, doc, {drive.folder.Path("out/First.cdi")}));
    ASSERT_EQ(doc.collection.disks.size(), 1u);

    CJobGate gate;
    CRecordedHooks recorded;
    std::optional<Outcome> outcome;
    recorded.hooks.finished = [&](Outcome ended, const std::string&) { outcome = ended; };
    drive.ui.chosenFiles.push_back(drive.folder.Path("out/Second.cdi"));
    CNewDiskIndex command(drive.settings, recorded.hooks);
    command.GetJob().SetClock(gate.Clock());
    ASSERT_TRUE(command.Start());
    ASSERT_TRUE(gate.WaitHeld());
    ASSERT_TRUE(doc.SelectDisk(doc.collection.FindDiskByTitle("First")));
    doc.RemoveCurrentDisk();
    doc.DeleteContents();
    gate.Release();
    ASSERT_TRUE(queue.RunUntil([&] { return outcome.has_value(); }));
    EXPECT_EQ(outcome, Outcome::written);
    auto disk = CCollDisk::OfIndexFile(drive.folder.Path("out/Second.cdi"));
    ASSERT_TRUE(disk->ReadHeader());
    EXPECT_EQ(disk->header.totalFiles, 3);
    EXPECT_TRUE(drive.messages.messages.empty());
}
