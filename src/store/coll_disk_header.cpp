// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_header.h"

#include <cstring>

#include "platform/utf8_text.h"
#include "platform/volume.h"

namespace {

void PutInt(CCollDiskHeader::Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t GetInt(const CCollDiskHeader::Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

template <std::size_t N>
std::string TextOf(const std::array<char, N>& field) {
    return std::string(field.data(), ::strnlen(field.data(), N));
}

}  // namespace

bool CCollDiskHeader::SetDescription(const std::string& text) {
    if (text.size() >= description.size()) {
        return false;
    }
    description.fill('\0');
    std::memcpy(description.data(), text.data(), text.size());
    return true;
}

std::string CCollDiskHeader::GetDescription() const {
    return TextOf(description);
}

void CCollDiskHeader::SetLabel(const std::string& text) {
    label.fill('\0');
    std::memcpy(label.data(), text.data(), CharacterPrefix(text, label.size() - 1));
}

std::string CCollDiskHeader::GetLabel() const {
    return TextOf(label);
}

bool CCollDiskHeader::ReadVolumeInfo(const std::string& rootPath) {
    CVolumeInfo volume;
    if (!ReadVolumeInformation(rootPath, volume)) {
        return false;
    }
    SetLabel(volume.label);
    serial = volume.serial;
    return true;
}

CCollDiskHeader::Bytes CCollDiskHeader::ToBytes() const {
    Bytes bytes{};
    PutInt(bytes, 0, extensionAt);
    PutInt(bytes, 4, serial);
    PutInt(bytes, 8, static_cast<std::uint32_t>(burnDate));
    std::memcpy(bytes.data() + 12, label.data(), label.size());
    std::memcpy(bytes.data() + 76, description.data(), description.size());
    PutInt(bytes, 332, static_cast<std::uint32_t>(totalFiles));
    PutInt(bytes, 336, static_cast<std::uint32_t>(totalFolders));
    PutInt(bytes, 340, static_cast<std::uint32_t>(totalBytes));
    return bytes;
}

void CCollDiskHeader::FromBytes(const Bytes& bytes) {
    extensionAt = GetInt(bytes, 0);
    serial = GetInt(bytes, 4);
    burnDate = static_cast<Time32>(GetInt(bytes, 8));
    std::memcpy(label.data(), bytes.data() + 12, label.size());
    std::memcpy(description.data(), bytes.data() + 76, description.size());
    totalFiles = GetInt(bytes, 332);
    totalFolders = GetInt(bytes, 336);
    totalBytes = GetInt(bytes, 340);
}
