// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/index_layout.h"

#include "platform/file_exception.h"
#include "store/coll_disk_header.h"

CIndexBytes::CIndexBytes(const std::uint8_t* bytes, std::uint64_t fileLength,
                         const std::string& name)
    : data(bytes), length(fileLength), fileName(name) {
    std::uint32_t at = length >= 4 ? IndexExtensionAt(data) : 0;
    if (at == 0) {
        return;
    }
    // With the whole file at hand, every entry is checked against the record it names.
    if (length < CCollDiskHeader::size || at > length ||
        !extension.Take(data, data + at, length - at, at) || !extension.NamesRecordsIn(data)) {
        ThrowDamaged();
    }
    length = at;
}

void CIndexBytes::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(fileName);
}
