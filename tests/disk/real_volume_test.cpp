// SPDX-License-Identifier: GPL-3.0-or-later
// Real filesystems: disk images made with the system's tools, attached to loop devices and
// mounted where the machine allows it. Each test skips with its reason where it cannot run.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "disk/disk_scanner.h"
#include "helpers/problems.h"
#include "platform/volume.h"
#include "store/coll_disk.h"
#include "store/coll_disk_folder.h"
#include "support/system_tools.h"
#include "support/temp_folder.h"

namespace {

// The serial the other platform gives a disc: byte sums of the active ISO descriptor in four
// lanes, read straight from the image so the test does not lean on the code it checks.
std::uint32_t ExpectedIsoSerial(const std::string& image) {
    std::ifstream in(image, std::ios::binary);
    std::array<char, 2048> sector{};
    std::array<char, 2048> active{};
    bool found = false;
    for (int index = 16; index < 32 && in.seekg(index * 2048) && in.read(sector.data(), 2048);
         ++index) {
        if (sector[0] == '\xFF') {
            break;
        }
        bool joliet = sector[0] == 2 && sector[88] == '%' && sector[89] == '/';
        if (joliet || (sector[0] == 1 && !found)) {
            active = sector;
            found = true;
        }
        if (joliet) {
            break;
        }
    }
    std::uint32_t sums[4] = {};
    for (std::size_t i = 0; i < active.size(); ++i) {
        sums[i % 4] = (sums[i % 4] + static_cast<unsigned char>(active[i])) & 0xFF;
    }
    return sums[0] << 24 | sums[1] << 16 | sums[2] << 8 | sums[3];
}

// The same sums over a UDF image's file set descriptor, assembled the other way round. The
// anchor at sector 256 leads to the partition (tag 5) and the logical volume (tag 6), which
// says where the file set lies in the partition.
std::uint32_t ExpectedUdfSerial(const std::string& image) {
    std::ifstream in(image, std::ios::binary);
    auto sector = [&in](std::uint32_t index) {
        std::array<unsigned char, 2048> bytes{};
        in.seekg(static_cast<std::streamoff>(index) * 2048);
        in.read(reinterpret_cast<char*>(bytes.data()), 2048);
        return bytes;
    };
    auto u32 = [](const std::array<unsigned char, 2048>& s, std::size_t at) {
        return static_cast<std::uint32_t>(s[at] | s[at + 1] << 8 | s[at + 2] << 16 |
                                          s[at + 3] << 24);
    };
    auto anchor = sector(256);
    std::uint32_t start = u32(anchor, 20);
    std::uint32_t partition = 0;
    std::uint32_t fileSet = 0;
    for (std::uint32_t i = 0; i < u32(anchor, 16) / 2048; ++i) {
        auto descriptor = sector(start + i);
        if (descriptor[0] == 5) {
            partition = u32(descriptor, 188);
        } else if (descriptor[0] == 6) {
            fileSet = u32(descriptor, 252);
        }
    }
    auto fileSetDescriptor = sector(partition + fileSet);
    std::uint32_t sums[4] = {};
    for (std::size_t i = 0; i < fileSetDescriptor.size(); ++i) {
        sums[i % 4] = (sums[i % 4] + fileSetDescriptor[i]) & 0xFF;
    }
    return sums[3] << 24 | sums[2] << 16 | sums[1] << 8 | sums[0];
}

std::string CliVolume(const std::string& path) {
    return Output(std::string(TAMBLOR_CLI_PATH) + " volume " + Quoted(path));
}

}  // namespace

TEST(RealVolume, DiscImagesAreIdentifiedByTheirOwnDescriptors) {
    std::string xorriso = FindTool("xorriso");
    if (xorriso.empty()) {
        GTEST_SKIP() << "xorriso is missing (package xorriso)";
    }
    CTempFolder folder;
    folder.Write("tree/Photos/beach.jpg", "sand");
    std::string plain = folder.Path("plain.iso");
    std::string joliet = folder.Path("joliet.iso");
    ASSERT_TRUE(RunQuietly(xorriso +
                           " -as mkisofs --modification-date=2006070112000000 -V HOLIDAY_2006 -o " +
                           Quoted(plain) + " " + Quoted(folder.Path("tree"))));
    ASSERT_TRUE(RunQuietly(xorriso + " -as mkisofs -J -V 'Holiday 2006 long title' -o " +
                           Quoted(joliet) + " " + Quoted(folder.Path("tree"))));

    CVolumeInfo info;
    ASSERT_TRUE(ProbeVolumeDevice(plain, info));
    EXPECT_EQ(info.fileSystem, "iso9660");
    EXPECT_EQ(info.label, "HOLIDAY_2006");
    // The volume's own creation date, 2006-07-01 12:00 UTC, is what the new disk form proposes.
    EXPECT_EQ(info.creationTime, std::optional<std::int64_t>(1151755200));
    EXPECT_EQ(info.serial, ExpectedIsoSerial(plain));
    EXPECT_EQ(CliVolume(plain),
              "root:\nlabel: HOLIDAY_2006\nserial: " + std::to_string(ExpectedIsoSerial(plain)) +
                  "\nfilesystem: iso9660");
    // Joliet holds at most 16 characters, and it is the one the other platform reads.
    ASSERT_TRUE(ProbeVolumeDevice(joliet, info));
    EXPECT_EQ(info.label, "Holiday 2006 lon");
    EXPECT_EQ(info.serial, ExpectedIsoSerial(joliet));
    EXPECT_NE(info.serial, ExpectedIsoSerial(plain));

    LoopMount loop;
    if (!loop.Attach(joliet, true)) {
        GTEST_SKIP() << "attaching a loop device needs root and losetup";
    }
    CVolumeInfo throughDevice;
    ASSERT_TRUE(ProbeVolumeDevice(loop.device, throughDevice));
    EXPECT_EQ(throughDevice.label, info.label);
    EXPECT_EQ(throughDevice.serial, info.serial);
}

TEST(RealVolume, UdfImagesTakeTheSerialOfTheirFileSet) {
    std::string mkudffs = FindTool("mkudffs");
    if (mkudffs.empty()) {
        GTEST_SKIP() << "mkudffs is missing (package udftools)";
    }
    CTempFolder folder;
    std::string image = folder.Path("video.udf");
    std::filesystem::resize_file(folder.Write("video.udf"), 8 * 1024 * 1024);
    ASSERT_TRUE(RunQuietly(mkudffs + " -b 2048 --label='Video 2008' " + Quoted(image)));
    CVolumeInfo info;
    ASSERT_TRUE(ProbeVolumeDevice(image, info));
    EXPECT_EQ(info.fileSystem, "udf");
    EXPECT_EQ(info.label, "Video 2008");
    EXPECT_EQ(info.serial, ExpectedUdfSerial(image));
}

TEST(RealVolume, AMountedDiskIsScannedThroughItsDeviceAndRecognisedExactly) {
    std::string mkfs = FindTool("mkfs.ext4");
    if (::geteuid() != 0 || mkfs.empty()) {
        GTEST_SKIP() << "loop devices and mounts need root and mkfs.ext4";
    }
    CTempFolder folder;
    std::string first = folder.Path("first.img");
    std::string second = folder.Path("second.img");
    std::filesystem::resize_file(folder.Write("first.img"), 8 * 1024 * 1024);
    std::filesystem::resize_file(folder.Write("second.img"), 8 * 1024 * 1024);
    ASSERT_TRUE(RunQuietly(mkfs + " -q -F -L Backup -U 12345678-aaaa-bbbb-cccc-1234567890ab " +
                           Quoted(first)));
    ASSERT_TRUE(RunQuietly(mkfs + " -q -F -L Backup -U 87654321-aaaa-bbbb-cccc-1234567890ab " +
                           Quoted(second)));
    std::filesystem::create_directories(folder.Path("mnt"));
    std::filesystem::create_directories(folder.Path("elsewhere"));

    LoopMount loop;
    ASSERT_TRUE(loop.Attach(first));
    if (!RunQuietly("mount " + loop.device + " " + Quoted(folder.Path("mnt")))) {
        GTEST_SKIP() << "this machine cannot mount an ext4 loop device";
    }
    loop.mountPoints.push_back(folder.Path("mnt"));
    std::ofstream(folder.Path("mnt/notes.txt")) << "twelve bytes";
    std::filesystem::create_directories(folder.Path("mnt/Documents"));

    std::string cdi = folder.Path("Backup.cdi");
    std::string scan =
        Output(std::string(TAMBLOR_CLI_PATH) + " scan " + loop.device + " -o " + Quoted(cdi));
    // ext4 keeps lost+found at its root; it is catalogued like any folder.
    EXPECT_EQ(scan, "1 files, 2 folders, 12 bytes");
    CCollDisk disk;
    disk.indexPath = cdi;
    ASSERT_TRUE(disk.ReadHeader());
    EXPECT_EQ(disk.header.GetLabel(), "Backup");
    EXPECT_EQ(disk.header.serial, 0x12345678u);
    EXPECT_TRUE(disk.IsInDrive(loop.device));
    EXPECT_TRUE(disk.IsInDrive(folder.Path("mnt")));

    // Nothing of the scan holds the disk: it unmounts at once, and mounted elsewhere it is
    // still the same disk.
    ASSERT_TRUE(RunQuietly("umount " + Quoted(folder.Path("mnt"))));
    loop.mountPoints.clear();
    EXPECT_FALSE(disk.IsInDrive(loop.device));
    ASSERT_TRUE(RunQuietly("mount " + loop.device + " " + Quoted(folder.Path("elsewhere"))));
    loop.mountPoints.push_back(folder.Path("elsewhere"));
    EXPECT_TRUE(disk.IsInDrive(loop.device));

    // Another disk with the same label is not this one.
    loop.Release();
    ASSERT_TRUE(loop.Attach(second));
    ASSERT_TRUE(RunQuietly("mount " + loop.device + " " + Quoted(folder.Path("mnt"))));
    loop.mountPoints.push_back(folder.Path("mnt"));
    EXPECT_FALSE(disk.IsInDrive(loop.device));
    EXPECT_FALSE(disk.IsInDrive(folder.Path("nowhere")));
}

TEST(RealVolume, ADiscMountedInUserSpaceIsScannedAsAFolder) {
    std::string xorriso = FindTool("xorriso");
    std::string fuseiso = FindTool("fuseiso");
    if (xorriso.empty() || fuseiso.empty() || !std::filesystem::exists("/dev/fuse")) {
        GTEST_SKIP() << "needs xorriso, fuseiso and /dev/fuse";
    }
    CTempFolder folder;
    folder.Write("tree/Music/01 - Intro.mp3", "abc");
    folder.Write("tree/readme.txt", "r");
    std::string iso = folder.Path("music.iso");
    ASSERT_TRUE(RunQuietly(xorriso + " -as mkisofs -J -R -V MUSIC01 -o " + Quoted(iso) + " " +
                           Quoted(folder.Path("tree"))));
    std::filesystem::create_directories(folder.Path("mnt"));
    if (!RunQuietly(fuseiso + " " + Quoted(iso) + " " + Quoted(folder.Path("mnt")))) {
        GTEST_SKIP() << "fuseiso cannot mount here";
    }
    CCollDisk disk;
    CProblems problems;
    bool scanned = ScanDisk(disk, folder.Path("mnt"), problems);
    RunQuietly("fusermount -u " + Quoted(folder.Path("mnt")));
    ASSERT_TRUE(scanned);
    disk.ComputeTotals();
    EXPECT_EQ(disk.header.totalFiles, 2);
    EXPECT_EQ(disk.header.totalFolders, 1);
    EXPECT_EQ(disk.header.totalBytes, 4u);
}
