// SPDX-License-Identifier: GPL-3.0-or-later
// Every way of replacing a file on disk, failing at every step with the errors a full, broken
// or locked disk gives: the previous file must survive whole, the user must be told why, and
// no temporary file may be left behind.

#include "platform//fault_injection.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/file_exception.h"
#include "platform/ini_file.h"
#include "shell/show_message.h"
#include "store/coll_disk_file.h"
#include "store/coll_saver.h"
#include "store/collection.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

struct CScenario {
    std::string name;
    std::string file;
    // Replaces the file; false (or a CFileException) when it failed.
    std::function<bool(const std::string& path)> replace;
    // Runs before the fault is armed.
    std::function<bool(const std::string& path)> prepare = [](const std::string&) { return true; };
};

int CountEntries(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

std::string ExpectedText(int error, const std::string& path) {
    switch (error) {
        case ENOSPC:
            return "Disk full while accessing " + path + ".";
        case EIO:
            return "A hardware I/O error was reported while accessing " + path + ".";
        default:
            return "Access to " + path + " was denied.";
    }
}

bool SaveIndex(const std::string& path, const std::string& description) {
    CCollDisk disk;
    disk.header.SetDescription(description);
    auto file = std::make_unique<CCollDiskFile>();
    file->name = "new.txt";
    disk.content.files.Add(std::move(file));
    return ReportResult(disk.SaveIndexFile(path));
}

bool RewriteHeader(const std::string& path) {
    CCollDisk disk;
    disk.indexPath = path;
    disk.header.SetDescription("a new description");
    return ReportResult(disk.WriteHeader());
}

bool SaveCollection(const std::string& path) {
    CCollection collection;
    collection.description = "new description";
    return ReportResult(CCollSaver(collection).Save(path));
}

// The profile is read at start-up, long before it is written: only the write may fail here.
CIniFile profile;

bool LoadProfile(const std::string& path) {
    profile.Load(path);
    return true;
}

bool SaveProfile(const std::string& /*path*/) {
    CIniFile& ini = profile;
    ini.SetString("Settings", "Drive", "/dev/sr1");
    try {
        ini.Save();
        return true;
    } catch (const CFileException& error) {
        EmitMessage(error.GetErrorMessage());
        return false;
    }
}

}  // namespace

TEST(FaultInjection, NoFailedReplaceLosesThePreviousFile) {
    const std::vector<CScenario> scenarios = {
        {"index file", "disk.cdi", [](const std::string& path) { return SaveIndex(path, "new"); }},
        {"header rewrite", "disk.cdi", RewriteHeader},
        {"collection", "list.col", SaveCollection},
        {"profile", "Tamblor.ini", SaveProfile, LoadProfile},
    };
    const FaultPoint points[] = {FaultPoint::write, FaultPoint::flush, FaultPoint::rename,
                                 FaultPoint::close};
    const int errors[] = {ENOSPC, EIO, EACCES};
    for (const CScenario& scenario : scenarios) {
        for (FaultPoint point : points) {
            for (int error : errors) {
                CTempFolder folder;
                std::string path = folder.Path(scenario.file);
                ASSERT_TRUE(SaveIndex(folder.Path("seed.cdi"), "old"));
                std::string previous = scenario.file == "disk.cdi"
                                           ? CTempFolder::Read(folder.Path("seed.cdi"))
                                           : std::string("[Settings]\nDrive=/dev/sr0\n");
                folder.Write(scenario.file, previous);
                std::filesystem::remove(folder.Path("seed.cdi"));
                std::string what = scenario.name + ", fault " +
                                   std::to_string(static_cast<int>(point)) + ", errno " +
                                   std::to_string(error);

                CMessageRecorder messages;
                ASSERT_TRUE(scenario.prepare(path));
                InjectFault(point, 1, error);
                bool replaced = true;
                try {
                    replaced = scenario.replace(path);
                } catch (const CFileException& error) {
                    ADD_FAILURE() << what << ": escaped " << error.what();
                }
                ClearFaults();
                EXPECT_FALSE(replaced) << what;
                ASSERT_EQ(messages.messages.size(), 1u) << what;
                EXPECT_EQ(messages.messages[0], ExpectedText(error, path)) << what;
                EXPECT_TRUE(CTempFolder::Read(path) == previous) << what;
                EXPECT_EQ(CountEntries(folder.Path()), 1) << what;

                // Without a fault the same replace works, so the fault was what stopped it.
                EXPECT_TRUE(scenario.replace(path)) << what;
                EXPECT_FALSE(CTempFolder::Read(path) == previous) << what;
                EXPECT_EQ(CountEntries(folder.Path()), 1) << what;
            }
        }
    }
}

TEST(FaultInjection, TheNthCallFailsAndOnlyOnce) {
    CTempFolder folder;
    InjectFault(FaultPoint::write, 3, EIO);
    int error = 0;
    EXPECT_FALSE(TakeFault(FaultPoint::write, error));
    EXPECT_FALSE(TakeFault(FaultPoint::flush, error));
    EXPECT_FALSE(TakeFault(FaultPoint::write, error));
    EXPECT_TRUE(TakeFault(FaultPoint::write, error));
    EXPECT_EQ(error, EIO);
    EXPECT_FALSE(TakeFault(FaultPoint::write, error));
    ClearFaults();
}
