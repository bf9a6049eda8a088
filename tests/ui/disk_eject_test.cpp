// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/disk_eject.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/volume.h"
#include "support/system_tools.h"
#include "support/temp_folder.h"

TEST(DiskEject, FoldersAreLeftAloneAndFailuresAreSilent) {
    CTempFolder folder;
    folder.Write("kept.txt", "x");
    EjectDisk(folder.Path());
    EjectDisk(folder.Path("no-such-device"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path("kept.txt")));

    std::filesystem::resize_file(folder.Write("disk.img"), 1024 * 1024);
    LoopMount loop;
    if (!loop.Attach(folder.Path("disk.img"))) {
        GTEST_SKIP() << "attaching a loop device needs root and losetup";
    }
    std::string name = loop.device.substr(loop.device.rfind('/') + 1);
    EXPECT_EQ(BlockDevicesOfDrive(loop.device), std::vector<std::string>{name});
    // A loop device has no door: the request fails and nothing is reported or changed.
    EXPECT_FALSE(EjectWithIoctl(loop.device));
    EjectDisk(loop.device);
    EXPECT_TRUE(std::filesystem::exists(loop.device));
}
