// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_writer.h"

#include "platform/file.h"
#include "platform/utf8_text.h"

std::size_t StoredStringLength(const std::string& text) {
    return CharacterPrefix(text, 255);
}

void CRecordWriter::WriteByte(std::uint8_t value) {
    file.Write(&value, 1);
}

void CRecordWriter::WriteBytes(const void* buffer, std::size_t count) {
    file.Write(buffer, count);
}

void CRecordWriter::WriteInt32(std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                             static_cast<std::uint8_t>(bits >> 16),
                             static_cast<std::uint8_t>(bits >> 24)};
    file.Write(bytes, sizeof bytes);
}

void CRecordWriter::WriteString(const std::string& text) {
    std::size_t length = StoredStringLength(text);
    WriteByte(static_cast<std::uint8_t>(length));
    if (length > 0) {
        file.Write(text.data(), length);
    }
}
