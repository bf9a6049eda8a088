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
    if (length < CCollDiskHeader::size || at > length ||
        !extension.Take(data, data + at, length - at, at)) {
        ThrowDamaged();
    }
    length = at;
}

void CIndexBytes::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(fileName);
}
