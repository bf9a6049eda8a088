// The identity of a mounted volume (label and 32-bit serial, as the catalogue records them)
// and the folder where the configured drive is mounted.
#pragma once

#include <cstdint>
#include <string>

struct CVolumeInfo {
    std::string label;  // at most 63 bytes, cut at a character boundary
    std::uint32_t serial = 0;
    std::string fileSystem;  // "vfat", "ext4", ... or empty when unknown
    std::string device;      // the block device or image, empty when there is none
};

// Reads the label and serial of the filesystem that holds `rootPath`. False when the path
// cannot be examined at all.
bool ReadVolumeInformation(const std::string& rootPath, CVolumeInfo& info);

// The root folder of the drive named by the "Drive" setting: a device gives the folder
// where it is mounted now (empty when it is not mounted), a folder is its own root.
std::string ResolveDriveRoot(const std::string& drive);
