#include "store/record_reader.h"

#include <algorithm>

#include "platform/file.h"
#include "platform/file_exception.h"

CRecordReader::CRecordReader(CFile& source) : file(source), length(source.GetLength()) {}

void CRecordReader::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(file.GetFilePath());
}

std::uint8_t CRecordReader::ReadByte() {
    std::uint8_t value = 0;
    ReadBytes(&value, 1);
    return value;
}

void CRecordReader::ReadBytes(void* buffer, std::size_t count) {
    if (file.Read(buffer, count) != count) {
        ThrowDamaged();
    }
}

std::int32_t CRecordReader::ReadInt32() {
    std::uint8_t bytes[4];
    ReadBytes(bytes, sizeof bytes);
    std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void CRecordReader::ReadString(std::string& out) {
    std::uint8_t count = ReadByte();
    out.resize(count);
    if (count > 0) {
        ReadBytes(out.data(), count);
    }
}

void CRecordReader::Seek(std::uint64_t offset) {
    if (offset > length) {
        ThrowDamaged();
    }
    file.Seek(offset);
}

std::uint64_t CRecordReader::GetPosition() const {
    return file.GetPosition();
}

std::uint32_t CRecordReader::ReadCount(std::uint64_t bytesEach, std::uint64_t end) {
    std::int32_t count = ReadInt32();
    std::uint64_t position = file.GetPosition();
    end = std::min(end, length);
    if (count < 0 || position > end ||
        static_cast<std::uint64_t>(count) * bytesEach > end - position) {
        ThrowDamaged();
    }
    return static_cast<std::uint32_t>(count);
}
