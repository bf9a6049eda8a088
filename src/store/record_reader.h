// Reads the fixed binary values of an index file from an open file. A damaged file (a short
// read, an offset or a count that the file cannot hold) throws the end-of-file error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFile;

class CRecordReader {
public:
    explicit CRecordReader(CFile& file);

    std::uint8_t ReadByte();
    void ReadBytes(void* buffer, std::size_t count);
    std::int32_t ReadInt32();
    void ReadString(std::string& out);
    void Seek(std::uint64_t offset);

    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const { return length; }
    // Reads a count of entries that each take at least `bytesEach` bytes further on, before
    // `end`; a count the rest of that range cannot hold means the file is damaged.
    std::uint32_t ReadCount(std::uint64_t bytesEach, std::uint64_t end);
    // Fails as a damaged file.
    [[noreturn]] void ThrowDamaged() const;

private:
    CFile& file;
    std::uint64_t length;
};
