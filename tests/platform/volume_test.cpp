// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volume.h"

#include <gtest/gtest.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/system_tools.h"

namespace fs = std::filesystem;

namespace {

// The "major:minor" and source fields of every line of mountinfo.
std::vector<std::string> MountedDevices() {
    std::vector<std::string> devices;
    std::ifstream mountInfo("/proc/self/mountinfo");
    std::string line;
    while (std::getline(mountInfo, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, field;
        fields >> id >> parent >> numbers;
        devices.push_back(numbers);
        while (fields >> field && field != "-") {
        }
        fields >> field >> field;
        devices.push_back(field);
    }
    return devices;
}

class VolumeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tamblor-volume-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // An image made by `tool` with `arguments` placed before the image path.
    bool MakeImage(const std::string& tool, const std::string& arguments, const fs::path& image,
                   const std::string& trailing) {
        std::string path = FindTool(tool);
        return !path.empty() && RunQuietly(path + " " + arguments + " " + Quoted(image) + trailing);
    }

    fs::path folder;
};

}  // namespace

TEST_F(VolumeTest, ProbeReadsFatVolumeIdAndExt4Uuid) {
    if (FindTool("mkfs.vfat").empty() || FindTool("mkfs.ext4").empty()) {
        GTEST_SKIP() << "mkfs.vfat or mkfs.ext4 is missing (packages dosfstools, e2fsprogs)";
    }
    fs::path fatImage = folder / "fat.img";
    ASSERT_TRUE(MakeImage("mkfs.vfat", "-n TAMBLOR -i 1234ABCD -C", fatImage, " 2048"));
    CVolumeInfo fat;
    ASSERT_TRUE(ProbeVolumeDevice(fatImage.string(), fat));
    EXPECT_EQ(fat.label, "TAMBLOR");
    EXPECT_EQ(fat.serial, 0x1234ABCDu);
    EXPECT_EQ(fat.fileSystem, "vfat");
    EXPECT_EQ(fat.device, fatImage.string());

    // The label's bytes come through as they are, UTF-8 included.
    fs::path extImage = folder / "ext.img";
    ASSERT_TRUE(MakeImage("mkfs.ext4",
                          "-q -L 'Fotos \xC3\xBC 2024' -U 0a1b2c3d-4e5f-6789-abcd-ef0123456789",
                          extImage, " 4M"));
    CVolumeInfo ext;
    ASSERT_TRUE(ProbeVolumeDevice(extImage.string(), ext));
    EXPECT_EQ(ext.label, "Fotos \xC3\xBC 2024");
    EXPECT_EQ(ext.serial, 0x0A1B2C3Du);
    EXPECT_EQ(ext.fileSystem, "ext4");

    // Neither a missing file nor one without a filesystem is a volume.
    fs::path blank = folder / "blank.img";
    std::ofstream(blank) << std::string(64 * 1024, '\0');
    CVolumeInfo none;
    EXPECT_FALSE(ProbeVolumeDevice(blank.string(), none));
    EXPECT_FALSE(ProbeVolumeDevice((folder / "missing.img").string(), none));
}

TEST(VolumeSerial, FollowsEachFileSystemsRule) {
    EXPECT_EQ(SerialFromUuid("vfat", "ABCD-1234"), 0xABCD1234u);
    EXPECT_EQ(SerialFromUuid("exfat", "0a0b-0c0d"), 0x0A0B0C0Du);
    // NTFS keeps the low half of its 64-bit serial, also when ntfs-3g mounts it.
    EXPECT_EQ(SerialFromUuid("ntfs", "0123456789ABCDEF"), 0x89ABCDEFu);
    EXPECT_EQ(SerialFromUuid("fuseblk", "0123456789ABCDEF"), 0x89ABCDEFu);
    EXPECT_EQ(SerialFromUuid("ext4", "0a1b2c3d-4e5f-6789-abcd-ef0123456789"), 0x0A1B2C3Du);
    // A disc's UUID is a date: its serial comes from its descriptors, never from the UUID.
    EXPECT_EQ(SerialFromUuid("iso9660", "2024-05-06-07-08-09-00"), std::nullopt);
    EXPECT_EQ(SerialFromUuid("udf", "0123456789ABCDEF"), std::nullopt);

    EXPECT_EQ(SerialFromUuid("ext4", ""), std::nullopt);
    EXPECT_EQ(SerialFromUuid("vfat", "AB-12"), std::nullopt);
    EXPECT_EQ(SerialFromUuid("ext4", "0a1bzz3d-4e5f"), std::nullopt);
    EXPECT_EQ(SerialFromUuid("ntfs", "89ABCDEF"), std::nullopt);
}

TEST(VolumeLabel, IsCutAtACharacterBoundary) {
    EXPECT_EQ(ShortenVolumeLabel("Backup"), "Backup");
    EXPECT_EQ(ShortenVolumeLabel(std::string(70, 'a')), std::string(63, 'a'));
    // "é" would take bytes 63 and 64, "€" bytes 62 to 64: both are left out whole.
    EXPECT_EQ(ShortenVolumeLabel(std::string(62, 'a') + "\xC3\xA9z"), std::string(62, 'a'));
    EXPECT_EQ(ShortenVolumeLabel(std::string(61, 'a') + "\xE2\x82\xAC"), std::string(61, 'a'));
    EXPECT_EQ(ShortenVolumeLabel(std::string(60, 'a') + "\xE2\x82\xACzz"),
              std::string(60, 'a') + "\xE2\x82\xAC");
    EXPECT_EQ(ShortenVolumeLabel(std::string(60, 'a') + "\xF0\x9F\x92\xBFz"), std::string(60, 'a'));
    // Bytes that are no UTF-8 at all are still cut at the limit.
    EXPECT_EQ(ShortenVolumeLabel(std::string(70, '\x80')), std::string(63, '\x80'));
}

TEST(VolumeLinkName, DecodesEscapedBytes) {
    EXPECT_EQ(DecodeDeviceLinkName("My\\x20Disk"), "My Disk");
    EXPECT_EQ(DecodeDeviceLinkName("a\\x2fb\\x5c"), "a/b\\");
    EXPECT_EQ(DecodeDeviceLinkName("caf\\xc3\\xa9"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeDeviceLinkName("odd\\xZZ\\x4"), "odd\\xZZ\\x4");
    EXPECT_EQ(DecodeDeviceLinkName("1234-ABCD"), "1234-ABCD");
}

TEST_F(VolumeTest, DriveRootOfFolderAndOfWhatIsNoDrive) {
    EXPECT_EQ(ResolveDriveRoot(folder.string()), folder.string());
    EXPECT_EQ(ResolveDriveRoot((folder / "missing").string()), "");
    std::ofstream(folder / "file") << "x";
    EXPECT_EQ(ResolveDriveRoot((folder / "file").string()), "");
    EXPECT_EQ(ResolveDriveRoot(""), "");
}

TEST(VolumeDriveRoot, UnmountedBlockDeviceHasNoRoot) {
    std::vector<std::string> mounted = MountedDevices();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev", error)) {
        struct stat status {};
        if (::stat(entry.path().c_str(), &status) != 0 || !S_ISBLK(status.st_mode)) {
            continue;
        }
        std::string numbers =
            std::to_string(major(status.st_rdev)) + ":" + std::to_string(minor(status.st_rdev));
        if (std::find(mounted.begin(), mounted.end(), numbers) != mounted.end() ||
            std::find(mounted.begin(), mounted.end(), entry.path().string()) != mounted.end()) {
            continue;
        }
        EXPECT_EQ(ResolveDriveRoot(entry.path().string()), "") << entry.path();
        return;
    }
    GTEST_SKIP() << "this machine has no block device that is not mounted";
}

TEST_F(VolumeTest, FolderWithoutDeviceTakesTheFsidSerial) {
    std::vector<fs::path> candidates = {"/dev/shm", "/run", "/tmp", fs::temp_directory_path()};
    for (const fs::path& candidate : candidates) {
        struct statfs kind {};
        if (::statfs(candidate.c_str(), &kind) != 0 || kind.f_type != TMPFS_MAGIC) {
            continue;
        }
        struct statvfs status {};
        ASSERT_EQ(::statvfs(candidate.c_str(), &status), 0);
        CVolumeInfo info;
        info.label = "stale";
        ASSERT_TRUE(ReadVolumeInformation(candidate.string(), info));
        EXPECT_EQ(info.serial, static_cast<std::uint32_t>(status.f_fsid));
        EXPECT_EQ(info.fileSystem, "tmpfs");
        EXPECT_EQ(info.label, "");
        EXPECT_EQ(info.device, "");
        CVolumeInfo missing;
        EXPECT_FALSE(ReadVolumeInformation((folder / "missing").string(), missing));
        return;
    }
    GTEST_SKIP() << "no tmpfs folder found on this machine";
}

TEST_F(VolumeTest, LoopMountedImageIsFoundThroughItsDevice) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "loop devices and mounts need root";
    }
    std::string losetup = FindTool("losetup");
    if (losetup.empty() || FindTool("mkfs.ext4").empty() || FindTool("mount").empty()) {
        GTEST_SKIP() << "losetup, mount or mkfs.ext4 is missing";
    }
    fs::path image = folder / "disk.img";
    ASSERT_TRUE(MakeImage("mkfs.ext4", "-q -L Archive -U 5e6f7a8b-0000-4000-8000-000000000001",
                          image, " 4M"));
    LoopMount loop;
    loop.device = Output(losetup + " -f --show " + Quoted(image));
    if (loop.device.empty()) {
        GTEST_SKIP() << "losetup could not attach a loop device";
    }
    EXPECT_EQ(ResolveDriveRoot(loop.device), "");

    fs::path whole = folder / "whole";
    fs::path part = folder / "part";
    fs::create_directories(whole);
    fs::create_directories(part);
    if (!RunQuietly("mount " + loop.device + " " + Quoted(whole))) {
        GTEST_SKIP() << "this machine cannot mount an ext4 loop device";
    }
    loop.mountPoints.push_back(whole);
    fs::create_directories(whole / "sub");

    // A symbolic link to the device, as /dev/cdrom is, leads to the same root.
    fs::create_symlink(loop.device, folder / "cdrom");
    EXPECT_EQ(ResolveDriveRoot(loop.device), whole.string());
    EXPECT_EQ(ResolveDriveRoot((folder / "cdrom").string()), whole.string());

    CVolumeInfo info;
    ASSERT_TRUE(ReadVolumeInformation((whole / "sub").string(), info));
    EXPECT_EQ(info.label, "Archive");
    EXPECT_EQ(info.serial, 0x5E6F7A8Bu);
    EXPECT_EQ(info.fileSystem, "ext4");
    EXPECT_EQ(info.device, loop.device);
    // Without the device, the mounted filesystem still tells its label.
    std::string mountedLabel;
    std::optional<std::uint32_t> fatVolumeId;
    ASSERT_TRUE(ReadMountedIdentity(whole.string(), mountedLabel, fatVolumeId));
    EXPECT_EQ(mountedLabel, "Archive");
    EXPECT_FALSE(fatVolumeId);

    // With only a subfolder bound elsewhere, that is the root; once the whole filesystem is
    // mounted again it wins although it is listed later.
    ASSERT_TRUE(RunQuietly("mount --bind " + Quoted(whole / "sub") + " " + Quoted(part)));
    loop.mountPoints.push_back(part);
    ASSERT_TRUE(RunQuietly("umount " + Quoted(whole)));
    loop.mountPoints.erase(loop.mountPoints.begin());
    EXPECT_EQ(ResolveDriveRoot(loop.device), part.string());
    ASSERT_TRUE(RunQuietly("mount " + loop.device + " " + Quoted(whole)));
    loop.mountPoints.push_back(whole);
    EXPECT_EQ(ResolveDriveRoot(loop.device), whole.string());
}
