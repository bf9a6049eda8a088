// SPDX-License-Identifier: GPL-3.0-or-later
// A save cut short by the process being killed: the collection file is the old one or the new
// one, whole, never a mixture or a stump.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>

#include "store/coll_saver.h"
#include "store/collection.h"
#include "support/temp_folder.h"

namespace {

void FillCollection(CCollection& collection, const std::string& folder, int disks,
                    const std::string& tag) {
    collection.description = "Collection " + tag;
    for (int i = 0; i < disks; ++i) {
        auto disk = std::make_unique<CCollDisk>();
        disk->indexPath = folder + "/disks/" + tag + " disk number " + std::to_string(i) + ".cdi";
        collection.AddDisk(std::move(disk));
    }
}

}  // namespace

TEST(KilledSave, LeavesTheOldOrTheNewFileWhole) {
    CTempFolder folder;
    std::string path = folder.Path("big.col");
    CCollection oldCollection;
    FillCollection(oldCollection, folder.Path(), 20000, "old");
    ASSERT_TRUE(CCollSaver(oldCollection).Save(path));
    const std::string oldText = CTempFolder::Read(path);
    CCollection newCollection;
    FillCollection(newCollection, folder.Path(), 30000, "new");
    const std::string newText = CCollSaver(newCollection).Format(path);
    ASSERT_GT(newText.size(), 500000u);

    std::mt19937 random(42);
    for (int round = 0; round < 25; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Save over and over until killed, alternating so the file keeps being replaced.
            for (int i = 0;; ++i) {
                (void)CCollSaver(i % 2 == 0 ? newCollection : oldCollection).Save(path);
            }
        }
        ::usleep(static_cast<useconds_t>(1000 + random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::string text = CTempFolder::Read(path);
        bool whole = text == oldText || text == newText;
        ASSERT_TRUE(whole) << "round " << round << ": " << text.size() << " bytes";
    }
}
