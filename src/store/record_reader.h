// SPDX-License-Identifier: GPL-3.0-or-later
// An open index file as a source of bytes for the layout readers (store/index_layout.h): the
// pieces they ask for, read through the file's buffer. A piece the file does not hold whole
// throws the end-of-file error: the file is damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CFile;

class CRecordReader {
public:
    explicit CRecordReader(CFile& file);

    const std::uint8_t* Bytes(std::uint64_t at, std::size_t count);
    std::uint64_t GetLength() const { return length; }
    [[noreturn]] void ThrowDamaged() const;

private:
    CFile& file;
    std::uint64_t length;
    std::vector<std::uint8_t> piece;
};
