// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed 344-byte record at the start of every index file: where the file's extension
// lies, volume identity, burn date, description and the disk's totals.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "helpers/coll_types.h"

struct CCollDiskHeader {
    static constexpr std::size_t size = 344;
    using Bytes = std::array<std::uint8_t, size>;

    // Where the block with what 32 bits cannot hold begins (store/index_extension.h); 0: none.
    std::uint32_t extensionAt = 0;
    std::uint32_t serial = 0;
    Time32 burnDate = 0;
    std::array<char, 64> label{};
    std::array<char, 256> description{};
    // Exact: the header's fields keep their low 32 bits, the extension the rest.
    std::uint64_t totalFiles = 0;
    std::uint64_t totalFolders = 0;
    std::uint64_t totalBytes = 0;

    // Refuses (false, nothing changed) a text of 256 bytes or more.
    bool SetDescription(const std::string& text);
    std::string GetDescription() const;
    // Keeps at most 63 bytes, cut at a character boundary.
    void SetLabel(const std::string& text);
    std::string GetLabel() const;
    // Whether `other` was read from the same volume: the same label bytes and serial.
    bool IsSameVolume(const CCollDiskHeader& other) const {
        return GetLabel() == other.GetLabel() && serial == other.serial;
    }
    // Fills label and serial from the volume mounted at `rootPath`.
    bool ReadVolumeInfo(const std::string& rootPath);

    Bytes ToBytes() const;
    void FromBytes(const Bytes& bytes);
};
