// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_reader.h"

#include "platform/file.h"
#include "platform/file_exception.h"

CRecordReader::CRecordReader(CFile& source) : file(source), length(source.GetLength()) {}

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
