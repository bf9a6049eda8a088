// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fixed binary values of an index file, strictly in sequence, through the file's
// buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFile;

// Bytes of `text` that a record stores: at most 255, cut at a character boundary.
std::size_t StoredStringLength(const std::string& text);

class CRecordWriter {
public:
    explicit CRecordWriter(CFile& file) : file(file) {}

    void WriteByte(std::uint8_t value);
    void WriteBytes(const void* buffer, std::size_t count);
    void WriteInt32(std::int32_t value);
    void WriteString(const std::string& text);

private:
    CFile& file;
};
