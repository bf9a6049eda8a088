// SPDX-License-Identifier: GPL-3.0-or-later
// Update disk index from a folder that stands in for the drive: the disk asked for by its
// title, the scan and its stop, the differences shown before anything is written, the
// rewrite and the document's reload, and the disk leaving the collection meanwhile. The
// comparison is a stand-in that hands back a chosen difference.

#include "shell/update_disk_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "disk/disk_scanner.h"
#include "helpers/coll_settings.h"
#include "platform/fault_injection.h"
#include "shell/coll_doc.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "support/disk_swap_ui.h"
#include "support/doc_jobs.h"
#include "support/job_queue.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

using Outcome = CUpdateDiskIndexOutcome;
using Answer = CPlatformUi::Answer;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A disk titled Holiday, described, catalogued from the folder "drive" which the settings
// name as the drive, and current in the document; a file is added to the drive afterwards.
struct UpdateFixture {
    UpdateFixture() {
        folder.Write("drive/a.txt", "abc");
        folder.Write("drive/Docs/b.txt", "12345");
        drive = folder.Path("drive");
        index = folder.Path("Holiday.cdi");
        CCollDisk scanned;
        CProblems problems;
        EXPECT_TRUE(ScanDisk(scanned, drive, problems));
        scanned.ComputeTotals();
        scanned.header.SetDescription("Summer trip");
        scanned.header.burnDate = 86400 * 365;
        EXPECT_TRUE(scanned.SaveIndexFile(index));
        EXPECT_TRUE(InsertToEnd(queue, doc, {index}));
        disk = doc.collection.FindDiskByTitle("Holiday");
        EXPECT_TRUE(doc.SelectDisk(disk));
        settings.SetDrive(drive);
        folder.Write("drive/new \xe9\\x.txt", "1234567");
        before = Bytes(index);

        hooks.beginScan = [this] { events.push_back("begin scan"); };
        hooks.endScan = [this] { events.push_back("end scan"); };
        hooks.scanProgress = [this](const CScanCounts&) {
            // Once, even when it runs the window's calls itself.
            if (std::function<void()> once = std::exchange(onProgress, nullptr)) {
                once();
            }
        };
        hooks.compare = [this](const CCollDisk& stored, const CCollDisk&) {
            comparedPath = stored.indexPath;
            return diff;
        };
        hooks.showChanges = [this](const std::string& title, const CDiskDiff& shown) {
            events.push_back("show " + title + " " + std::to_string(shown.changes.size()));
            if (beforeSave) {
                beforeSave();
            }
            return save;
        };
        diff.changes.emplace_back().names = {"new \xe9\\x.txt"};
        ui.calls.clear();
    }

    Outcome Run() {
        std::optional<Outcome> outcome;
        hooks.finished = [&](Outcome ended) { outcome = ended; };
        CUpdateDiskIndex command(doc, settings, hooks);
        command.GetJob().SetReportInterval(std::chrono::milliseconds(0));
        self = &command;
        command.Start();
        EXPECT_TRUE(queue.RunUntil([&] { return outcome.has_value(); }));
        EXPECT_FALSE(command.IsRunning());
        self = nullptr;
        return outcome.value_or(Outcome::failed);
    }

    CJobQueue queue;
    CTempFolder folder;
    std::string drive;
    std::string index;
    std::string before;
    CCollSettings settings;
    CMessageRecorder messages;
    CDiskSwapUi ui;
    CCollDoc doc;
    CCollDisk* disk = nullptr;
    CUpdateDiskIndexHooks hooks;
    CDiskDiff diff;
    bool save = true;
    std::vector<std::string> events;
    std::string comparedPath;
    std::function<void()> onProgress;
    std::function<void()> beforeSave;
    CUpdateDiskIndex* self = nullptr;
};

}  // namespace

TEST(UpdateDiskIndex, AsksForTheRightDiskThenSavesAndTheDocumentShowsTheNewContent) {
    UpdateFixture f;
    // Another disk in the drive (same label, other serial) first: OK looks again.
    std::uint32_t serial = f.disk->header.serial;
    f.disk->header.serial = serial + 1;
    f.ui.answers = {Answer::ok};
    f.ui.onAsk = [&] { f.disk->header.serial = serial; };

    EXPECT_EQ(f.Run(), Outcome::written);
    EXPECT_EQ(f.ui.calls, (std::vector<std::string>{"ok-cancel: Please insert disk named\n"
                                                    "Holiday\ninto drive " +
                                                    f.drive}));
    EXPECT_EQ(f.events, (std::vector<std::string>{"begin scan", "end scan", "show Holiday 1"}));
    EXPECT_EQ(f.comparedPath, f.index);
    EXPECT_TRUE(f.messages.messages.empty());

    // The file holds the new tree with the description and burn date kept; the document has
    // read it again, its header and the root's files both.
    auto reread = CCollDisk::OfIndexFile(f.index);
    ASSERT_TRUE(reread->ReadHeader());
    EXPECT_EQ(reread->header.totalFiles, 3);
    EXPECT_EQ(reread->header.GetDescription(), "Summer trip");
    EXPECT_EQ(reread->header.burnDate, 86400 * 365);
    ASSERT_EQ(f.doc.currentDisk, f.disk);
    EXPECT_EQ(f.disk->header.totalFiles, 3);
    std::vector<std::string> names;
    for (const auto& file : f.disk->content.files) {
        names.push_back(file->name);
    }
    EXPECT_EQ(names.size(), 2u);
    EXPECT_NE(std::find(names.begin(), names.end(), "new \xe9\\x.txt"), names.end());
}

TEST(UpdateDiskIndex, NothingIsWrittenUnlessTheUserSavesDifferencesAndTheWriteSucceeds) {
    // Cancel at the question: no scan.
    {
        UpdateFixture f;
        f.disk->header.serial += 1;
        EXPECT_EQ(f.Run(), Outcome::cancelled);
        EXPECT_TRUE(f.events.empty());
        EXPECT_EQ(Bytes(f.index), f.before);
    }
    // Cancel in the wait box: the comparison is never shown.
    {
        UpdateFixture f;
        f.onProgress = [&] { f.self->Stop(); };
        EXPECT_EQ(f.Run(), Outcome::cancelled);
        EXPECT_EQ(f.events, (std::vector<std::string>{"begin scan", "end scan"}));
        EXPECT_EQ(Bytes(f.index), f.before);
    }
    // Cancel in the dialog.
    {
        UpdateFixture f;
        f.save = false;
        EXPECT_EQ(f.Run(), Outcome::cancelled);
        EXPECT_EQ(f.events.back(), "show Holiday 1");
        EXPECT_EQ(Bytes(f.index), f.before);
        EXPECT_EQ(f.disk->header.totalFiles, 2);
    }
    // No difference: the box says so, and even its OK writes nothing.
    {
        UpdateFixture f;
        f.diff = {};
        EXPECT_EQ(f.Run(), Outcome::unchanged);
        EXPECT_EQ(f.events.back(), "show Holiday 0");
        EXPECT_EQ(Bytes(f.index), f.before);
    }
    // Saved, but the write fails: it says why, and the old index stays, on disk and shown.
    {
        UpdateFixture f;
        f.beforeSave = [] { InjectFault(FaultPoint::rename, 1, EACCES); };
        EXPECT_EQ(f.Run(), Outcome::failed);
        ClearFaults();
        EXPECT_EQ(f.messages.messages.size(), 1u);
        EXPECT_EQ(Bytes(f.index), f.before);
        EXPECT_EQ(f.disk->header.totalFiles, 2);
    }
}

TEST(UpdateDiskIndex, ADiskThatLeftTheCollectionDuringTheScanIsNotUpdated) {
    // Removed from the collection.
    {
        UpdateFixture f;
        f.onProgress = [&] { f.doc.RemoveCurrentDisk(); };
        EXPECT_EQ(f.Run(), Outcome::cancelled);
        EXPECT_EQ(f.events, (std::vector<std::string>{"begin scan", "end scan"}));
        ASSERT_EQ(f.messages.messages.size(), 1u);
        EXPECT_NE(f.messages.messages[0].find("no longer in the collection"), std::string::npos);
        EXPECT_EQ(Bytes(f.index), f.before);
    }
    // The collection closed, and the same index file inserted in a new one: still another
    // disk than the one the command started on.
    {
        UpdateFixture f;
        f.ui.answers = {Answer::no};
        f.onProgress = [&] {
            EXPECT_TRUE(f.doc.FileNew());
            EXPECT_TRUE(InsertToEnd(f.queue, f.doc, {f.index}));
        };
        EXPECT_EQ(f.Run(), Outcome::cancelled);
        EXPECT_EQ(f.messages.messages.size(), 1u);
        EXPECT_EQ(Bytes(f.index), f.before);
    }
}
