// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_reader.h"

#include <algorithm>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_disk_header.h"

CRecordReader::CRecordReader(CFile& source) : file(source), length(source.GetLength()) {
    if (length < 4) {
        return;
    }
    std::uint32_t at = IndexExtensionAt(Bytes(0, 4));
    if (at == 0) {
        return;
    }
    const std::uint8_t* headerBytes = Bytes(0, CCollDiskHeader::size);
    CCollDiskHeader::Bytes header{};
    std::copy(headerBytes, headerBytes + header.size(), header.begin());
    if (at > length) {
        ThrowDamaged();
    }
    Bytes(at, static_cast<std::size_t>(length - at));
    extensionBytes.swap(piece);
    if (!extension.Take(header.data(), extensionBytes.data(), extensionBytes.size(), at)) {
        ThrowDamaged();
    }
    length = at;
}

void CRecordReader::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(file.GetFilePath());
}

const std::uint8_t* CRecordReader::Bytes(std::uint64_t at, std::size_t count) {
    if (at > length || count > length - at) {
        ThrowDamaged();
    }
    piece.resize(count);
    file.Seek(at);
    if (file.Read(piece.data(), count) != count) {
        ThrowDamaged();
    }
    return piece.data();
}
