// SPDX-License-Identifier: GPL-3.0-or-later
// An open index file as a source of bytes for the layout readers (store/index_layout.h): the
// pieces they ask for, read through the file's buffer, and the file's extension. A piece the
// tree's part of the file does not hold whole throws the end-of-file error: the file is
// damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/index_extension.h"

class CFile;

class CRecordReader {
public:
    // Reads and checks the file's extension, if it has one; throws when it is damaged.
    explicit CRecordReader(CFile& file);

    const std::uint8_t* Bytes(std::uint64_t at, std::size_t count);
    // Where the tree's part of the file ends: at the extension, or at the end of the file.
    std::uint64_t GetLength() const { return length; }
    const CIndexExtension& Extension() const { return extension; }
    [[noreturn]] void ThrowDamaged() const;

private:
    CFile& file;
    std::uint64_t length;
    std::vector<std::uint8_t> piece;
    std::vector<std::uint8_t> extensionBytes;
    CIndexExtension extension;
};
