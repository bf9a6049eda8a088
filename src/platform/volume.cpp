// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volume.h"

#include <blkid/blkid.h>
#include <dirent.h>
#include <fcntl.h>
#include <libmount/libmount.h>
#include <linux/cdrom.h>
#include <linux/fs.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <type_traits>

#include "platform/ascii_text.h"
#include "platform/optical_volume.h"
#include "platform/utf8_text.h"

namespace {

using MountTable = std::unique_ptr<libmnt_table, decltype(&mnt_unref_table)>;
using MountIterator = std::unique_ptr<libmnt_iter, decltype(&mnt_free_iter)>;
using Probe = std::unique_ptr<std::remove_pointer_t<blkid_probe>, decltype(&blkid_free_probe)>;
struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};
using Folder = std::unique_ptr<DIR, FolderCloser>;

// What a superblock says about itself, before it is turned into a serial.
struct VolumeProbe {
    std::string label;
    std::string uuid;
    std::string type;
    std::optional<std::uint32_t> opticalSerial;
    std::optional<std::int64_t> creationTime;
};

MountTable ReadMountTable() {
    return MountTable(mnt_new_table_from_file("/proc/self/mountinfo"), &mnt_unref_table);
}

std::optional<dev_t> BlockDeviceNumber(const char* path) {
    struct stat status {};
    if (::stat(path, &status) != 0 || !S_ISBLK(status.st_mode)) {
        return std::nullopt;
    }
    return status.st_rdev;
}

// Mount sources such as "tmpfs" or "server:/share" are names, not paths; stat would take them
// relative to the current folder.
std::optional<dev_t> SourceDeviceNumber(libmnt_fs* fs) {
    const char* source = mnt_fs_get_srcpath(fs);
    if (source == nullptr || source[0] != '/') {
        return std::nullopt;
    }
    return BlockDeviceNumber(source);
}

// The entry for the filesystem whose st_dev is `device`, holding `path`.
libmnt_fs* FindMountOf(libmnt_table* table, const std::string& path, dev_t device) {
    if (libmnt_fs* fs = mnt_table_find_devno(table, device, MNT_ITER_BACKWARD)) {
        return fs;
    }
    // A btrfs subvolume reports a device number that mountinfo does not list.
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(path, error);
    if (error) {
        return nullptr;
    }
    return mnt_table_find_mountpoint(table, real.c_str(), MNT_ITER_BACKWARD);
}

std::string LookupValue(blkid_probe probe, const char* name) {
    const char* data = nullptr;
    std::size_t size = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &size) != 0 || data == nullptr) {
        return std::string();
    }
    return std::string(data, ::strnlen(data, size));
}

bool ProbeDevice(const std::string& device, VolumeProbe& result) {
    Probe probe(blkid_new_probe_from_filename(device.c_str()), &blkid_free_probe);
    if (!probe) {
        return false;
    }
    if (blkid_probe_enable_superblocks(probe.get(), 1) != 0 ||
        blkid_probe_set_superblocks_flags(
            probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE) != 0 ||
        blkid_do_safeprobe(probe.get()) != 0) {
        return false;
    }
    result.label = LookupValue(probe.get(), "LABEL");
    result.uuid = LookupValue(probe.get(), "UUID");
    result.type = LookupValue(probe.get(), "TYPE");
    // A disc's UUID is a date and its label may merge two descriptors: read the disc's own.
    COpticalIdentity optical;
    if (ReadOpticalIdentity(device, result.type, optical)) {
        result.label = optical.label;
        result.opticalSerial = optical.serial;
        result.creationTime = optical.creationTime;
    }
    return true;
}

std::string FindDeviceLink(const char* folderPath, dev_t device) {
    Folder folder(::opendir(folderPath));
    if (!folder) {
        return std::string();
    }
    while (const dirent* entry = ::readdir(folder.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        std::string link = std::string(folderPath) + "/" + name;
        if (BlockDeviceNumber(link.c_str()) == device) {
            return DecodeDeviceLinkName(name);
        }
    }
    return std::string();
}

// Without read access to the device (no root, no disk group), udev's links still name it.
void ReadDeviceLinks(dev_t device, VolumeProbe& result) {
    result.label = FindDeviceLink("/dev/disk/by-label", device);
    result.uuid = FindDeviceLink("/dev/disk/by-uuid", device);
}

std::optional<std::uint32_t> ParseHex32(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool IsNtfs(const std::string& fileSystem, const std::string& uuid, std::size_t digitCount) {
    if (fileSystem == "ntfs" || fileSystem == "ntfs3") {
        return true;
    }
    // ntfs-3g mounts as "fuseblk"; its 64-bit serial is the only UUID of that shape.
    return fileSystem == "fuseblk" && digitCount == 16 && uuid.find('-') == std::string::npos;
}

}  // namespace

bool ProbeVolumeDevice(const std::string& device, CVolumeInfo& info) {
    VolumeProbe probe;
    if (!ProbeDevice(device, probe)) {
        return false;
    }
    info = CVolumeInfo();
    info.label = ShortenVolumeLabel(probe.label);
    info.serial = probe.opticalSerial.value_or(SerialFromUuid(probe.type, probe.uuid).value_or(0));
    info.fileSystem = probe.type;
    info.device = device;
    info.creationTime = probe.creationTime;
    return true;
}

bool ReadMountedIdentity(const std::string& rootPath, std::string& label,
                         std::optional<std::uint32_t>& fatVolumeId) {
    int fd = ::open(rootPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // The ioctl's own fixed size: the kernel writes at most FSLABEL_MAX bytes.
    char text[FSLABEL_MAX] = {};
    bool found = ::ioctl(fd, FS_IOC_GETFSLABEL, text) == 0;
    if (found) {
        label.assign(text, ::strnlen(text, sizeof text));
    }
    __u32 volumeId = 0;
    if (::ioctl(fd, FAT_IOCTL_GET_VOLUME_ID, &volumeId) == 0) {
        fatVolumeId = volumeId;
        found = true;
    }
    ::close(fd);
    return found;
}

bool ReadVolumeInformation(const std::string& rootPath, CVolumeInfo& info) {
    struct stat status {};
    if (::stat(rootPath.c_str(), &status) != 0) {
        return false;
    }
    info = CVolumeInfo();
    VolumeProbe probe;
    MountTable table = ReadMountTable();
    libmnt_fs* fs = table ? FindMountOf(table.get(), rootPath, status.st_dev) : nullptr;
    if (fs != nullptr) {
        const char* type = mnt_fs_get_fstype(fs);
        info.fileSystem = type != nullptr ? type : "";
        if (std::optional<dev_t> device = SourceDeviceNumber(fs)) {
            info.device = mnt_fs_get_srcpath(fs);
            if (!ProbeDevice(info.device, probe)) {
                ReadDeviceLinks(*device, probe);
            }
        }
    }
    if (!probe.type.empty()) {
        info.fileSystem = probe.type;
    }
    std::optional<std::uint32_t> serial = probe.opticalSerial;
    if (!serial) {
        serial = SerialFromUuid(info.fileSystem, probe.uuid);
    }
    if (probe.type.empty() && probe.uuid.empty() && probe.label.empty()) {
        // The device cannot be read (an ordinary user, no udev links): the mounted
        // filesystem still knows its label, and FAT its volume id.
        std::optional<std::uint32_t> fatVolumeId;
        ReadMountedIdentity(rootPath, probe.label, fatVolumeId);
        if (fatVolumeId) {
            serial = fatVolumeId;
        }
    }
    info.label = ShortenVolumeLabel(probe.label);
    if (!serial) {
        struct statvfs fsStatus {};
        if (::statvfs(rootPath.c_str(), &fsStatus) == 0) {
            serial = static_cast<std::uint32_t>(fsStatus.f_fsid);
        }
    }
    info.serial = serial.value_or(0);
    info.creationTime = probe.creationTime;
    return true;
}

std::string ResolveDriveRoot(const std::string& drive) {
    struct stat status {};
    if (::stat(drive.c_str(), &status) != 0) {
        return std::string();
    }
    if (S_ISDIR(status.st_mode)) {
        return drive;
    }
    if (!S_ISBLK(status.st_mode)) {
        return std::string();
    }
    MountTable table = ReadMountTable();
    MountIterator iterator(mnt_new_iter(MNT_ITER_FORWARD), &mnt_free_iter);
    if (!table || !iterator) {
        return std::string();
    }
    // A bind mount of a subfolder lists the same device; the whole filesystem is the root.
    std::string firstTarget;
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table.get(), iterator.get(), &fs) == 0) {
        const char* target = mnt_fs_get_target(fs);
        if (target == nullptr ||
            (mnt_fs_get_devno(fs) != status.st_rdev && SourceDeviceNumber(fs) != status.st_rdev)) {
            continue;
        }
        const char* root = mnt_fs_get_root(fs);
        if (root != nullptr && std::strcmp(root, "/") == 0) {
            return target;
        }
        if (firstTarget.empty()) {
            firstTarget = target;
        }
    }
    return firstTarget;
}

std::optional<std::uint32_t> SerialFromUuid(const std::string& fileSystem,
                                            const std::string& uuid) {
    // A disc's UUID is its creation date, not a serial; the serial comes from its descriptors.
    if (fileSystem == "iso9660" || fileSystem == "udf") {
        return std::nullopt;
    }
    std::string digits;
    for (char c : uuid) {
        if (c != '-') {
            digits += c;
        }
    }
    if (IsNtfs(fileSystem, uuid, digits.size())) {
        if (digits.size() != 16) {
            return std::nullopt;
        }
        return ParseHex32(std::string_view(digits).substr(8));
    }
    // A FAT or exFAT volume id "ABCD-1234" reads the same way: its 8 digits are the serial.
    if (digits.size() < 8) {
        return std::nullopt;
    }
    return ParseHex32(std::string_view(digits).substr(0, 8));
}

std::string ShortenVolumeLabel(const std::string& label) {
    return label.substr(0, CharacterPrefix(label, kVolumeLabelLimit));
}

std::string DecodeDeviceLinkName(const std::string& name) {
    std::string text;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (name[at] == '\\' && at + 3 < name.size() && name[at + 1] == 'x' &&
            HexDigit(name[at + 2]) >= 0 && HexDigit(name[at + 3]) >= 0) {
            text += static_cast<char>(HexDigit(name[at + 2]) * 16 + HexDigit(name[at + 3]));
            at += 3;
        } else {
            text += name[at];
        }
    }
    return text;
}

std::vector<std::string> BlockDevicesOfDrive(const std::string& device) {
    std::optional<dev_t> number = BlockDeviceNumber(device.c_str());
    if (!number) {
        return {};
    }
    std::error_code error;
    std::string sysfs =
        "/sys/dev/block/" + std::to_string(major(*number)) + ":" + std::to_string(minor(*number));
    std::filesystem::path node = std::filesystem::canonical(sysfs, error);
    if (error) {
        return {};
    }
    // A partition's node sits inside its disk's node and has a "partition" file.
    if (std::filesystem::exists(node / "partition", error)) {
        node = node.parent_path();
    }
    std::string disk = node.filename().string();
    std::vector<std::string> names{disk};
    for (const auto& entry : std::filesystem::directory_iterator(node, error)) {
        std::string name = entry.path().filename().string();
        if (name.size() > disk.size() && name.compare(0, disk.size(), disk) == 0 &&
            std::filesystem::exists(entry.path() / "partition", error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin() + 1, names.end());
    return names;
}

bool EjectWithIoctl(const std::string& device) {
    int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ejected = ::ioctl(fd, CDROMEJECT, 0) == 0;
    ::close(fd);
    return ejected;
}
