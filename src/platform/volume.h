// SPDX-License-Identifier: GPL-3.0-or-later
// The identity of a mounted volume (label and 32-bit serial, as the catalogue records them)
// and the folder where the configured drive is mounted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CVolumeInfo {
    std::string label;  // at most 63 bytes, cut at a character boundary
    std::uint32_t serial = 0;
    std::string fileSystem;  // "vfat", "ext4", ... or empty when unknown
    std::string device;      // the block device or image, empty when there is none
    // When the volume was made (seconds since 1970 UTC), where its filesystem records it:
    // ISO 9660 and UDF do.
    std::optional<std::int64_t> creationTime;
};

inline constexpr std::size_t kVolumeLabelLimit = 63;

// Reads the label and serial of the filesystem that holds `rootPath`. False when the path
// cannot be examined at all.
bool ReadVolumeInformation(const std::string& rootPath, CVolumeInfo& info);

// The root folder of the drive named by the "Drive" setting: a device gives the folder
// where it is mounted now (empty when it is not mounted), a folder is its own root.
std::string ResolveDriveRoot(const std::string& drive);

// Reads the filesystem on a block device or image file without mounting it. The serial is 0
// when the filesystem has no UUID. False when the device cannot be read or holds no
// filesystem.
bool ProbeVolumeDevice(const std::string& device, CVolumeInfo& info);

// The serial a volume of type `fileSystem` with `uuid` is catalogued under, or nothing when
// the UUID does not give one.
std::optional<std::uint32_t> SerialFromUuid(const std::string& fileSystem, const std::string& uuid);

// What the mounted filesystem at `rootPath` says of itself without its device being read:
// its label where it can tell, and a FAT volume's id. False when it tells nothing.
bool ReadMountedIdentity(const std::string& rootPath, std::string& label,
                         std::optional<std::uint32_t>& fatVolumeId);

// `label` cut to at most kVolumeLabelLimit bytes without splitting a UTF-8 character.
std::string ShortenVolumeLabel(const std::string& label);

// A /dev/disk/by-label or by-uuid entry name with its \xHH escapes decoded.
std::string DecodeDeviceLinkName(const std::string& name);

// The kernel names of a drive's block devices: the whole disk first, then its partitions
// ("sdb", "sdb1", ...), for the device or partition `device`; empty when it is no block device.
std::vector<std::string> BlockDevicesOfDrive(const std::string& device);
// Opens the tray of an optical drive; false when the device refuses.
bool EjectWithIoctl(const std::string& device);
