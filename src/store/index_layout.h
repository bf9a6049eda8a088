// SPDX-License-Identifier: GPL-3.0-or-later
// How the tree of an index file lies after its header, read here and nowhere else: browsing
// reads it from the open file, the search from the whole file in memory, and both take the
// same tables and records and refuse the same damage.
//
// The root's table follows the header: the number of folders and the offsets of their
// records, then the number of files and theirs. A record is the name (a length byte, then its
// bytes) and the access, creation and modify times; a file's size follows them, a folder's
// own table follows its times, and its subtree follows its table, as the writer lays it out.
//
// Every read is checked against the end of its entry's range: in a sound file an entry's
// record and subtree lie between its offset and the next sibling's (the last one's, up to
// its parent's end), so ranges that overlap, run backwards or leave the file mean the file is
// damaged. That also makes every record read at most once however the tree is walked, so a
// crafted file can neither make a reader loop nor let a folder contain itself.
//
// A source of bytes has `const std::uint8_t* Bytes(std::uint64_t at, std::size_t count)`,
// which hands out `count` bytes at `at` (valid until its next call) or throws the end-of-file
// error, `std::uint64_t GetLength() const`, and `[[noreturn]] void ThrowDamaged() const`.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "helpers/coll_types.h"
#include "store/coll_disk_item.h"
#include "store/index_extension.h"

// The smallest records: a name of length 0 and the fixed fields (and an empty table).
constexpr std::uint32_t minFolderRecord = 21;
constexpr std::uint32_t minFileRecord = 17;

// A 32-bit value as the index file stores it, lowest byte first.
inline std::uint32_t LoadIndexU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The entries of one table, folders first.
struct CIndexTable {
    std::vector<std::uint32_t> offsets;
    std::size_t folderCount = 0;
    std::uint32_t end = 0;  // where the last entry's range ends

    std::size_t Size() const { return offsets.size(); }
    bool IsFile(std::size_t index) const { return index >= folderCount; }
    // Where the range of the entry at `index` ends: at the next entry's record.
    std::uint32_t EntryEnd(std::size_t index) const {
        return index + 1 < offsets.size() ? offsets[index + 1] : end;
    }
};

// One record as it lies in the file, its times and size in 32 bits (the file's extension may
// hold them whole); `name` points into the source's bytes and lives until the source's next
// read.
struct CIndexRecord {
    const std::uint8_t* name = nullptr;
    std::uint8_t nameLength = 0;
    Time32 times[3] = {};    // by CCollDiskItem::TimeKind: creation, access, modify
    std::uint32_t size = 0;  // files only
    std::uint32_t next = 0;  // the position after the fields: a folder's table
};

// The times that follow a record's name, stored access, creation, modify, by
// CCollDiskItem::TimeKind.
inline void LoadRecordTimes(const std::uint8_t* fields, Time32 times[3]) {
    times[CCollDiskItem::timeAccess] = static_cast<Time32>(LoadIndexU32(fields));
    times[CCollDiskItem::timeCreation] = static_cast<Time32>(LoadIndexU32(fields + 4));
    times[CCollDiskItem::timeModify] = static_cast<Time32>(LoadIndexU32(fields + 8));
}

// Whether a time field holds -1 or 0, the values a time outside the field's reach is written
// as: only then may the file's extension hold the full time.
inline bool HasOddTimeField(const CIndexRecord& record) {
    auto odd = [](Time32 time) { return static_cast<std::uint32_t>(time) + 1 <= 1; };
    return odd(record.times[0]) || odd(record.times[1]) || odd(record.times[2]);
}

// Reads the table at `at` of an entry whose range ends at `end`. Every entry must lie after
// the table, after the entry before it, and before `end`. The entries before the first one that
// does not are kept, and false says the table is damaged there: a file cut short still shows
// what lies before the cut. The last entry kept then reaches to `end`, which keeps the ranges
// nested and apart.
template <class Source>
bool ReadIndexTablePrefix(Source& source, std::uint32_t at, std::uint64_t end, CIndexTable& table) {
    // Offsets are 32-bit: nothing of the tree lies further on.
    end = std::min<std::uint64_t>({end, source.GetLength(), UINT32_MAX});
    std::uint64_t position = at;
    // Reads a count of entries that each take 4 bytes of the table and a record further on.
    auto readCount = [&](std::uint32_t minRecord) {
        if (position + 4 > end) {
            source.ThrowDamaged();
        }
        std::uint32_t count = LoadIndexU32(source.Bytes(position, 4));
        position += 4;
        if (count > (end - position) / (4 + minRecord)) {
            source.ThrowDamaged();
        }
        return count;
    };
    table.end = static_cast<std::uint32_t>(end);
    std::uint32_t folderCount = readCount(minFolderRecord);
    std::uint64_t folderOffsets = position;
    position += std::uint64_t{4} * folderCount;
    std::uint32_t fileCount = readCount(minFileRecord);
    std::uint64_t fileOffsets = position;
    position += std::uint64_t{4} * fileCount;
    table.folderCount = folderCount;
    table.offsets.resize(std::size_t{folderCount} + fileCount);
    auto copyOffsets = [&](std::uint64_t from, std::uint32_t count, std::uint32_t* into) {
        const std::uint8_t* bytes = source.Bytes(from, std::size_t{4} * count);
        for (std::uint32_t i = 0; i < count; ++i) {
            into[i] = LoadIndexU32(bytes + std::size_t{4} * i);
        }
    };
    copyOffsets(folderOffsets, folderCount, table.offsets.data());
    copyOffsets(fileOffsets, fileCount, table.offsets.data() + folderCount);
    std::uint64_t previous = position;
    for (std::size_t i = 0; i < table.offsets.size(); ++i) {
        std::uint32_t offset = table.offsets[i];
        if (offset < previous || offset >= end) {
            table.offsets.resize(i);
            table.folderCount = std::min(table.folderCount, i);
            return false;
        }
        previous = std::uint64_t{offset} + 1;
    }
    return true;
}

// The same, for a reader that takes a table whole or not at all.
template <class Source>
void ReadIndexTable(Source& source, std::uint32_t at, std::uint64_t end, CIndexTable& table) {
    if (!ReadIndexTablePrefix(source, at, end, table)) {
        source.ThrowDamaged();
    }
}

// Reads the record of the table's entry at `index`, which must fit before the entry's end.
// Always inlined: the search calls it once per item, and a call costs a tenth of a search.
template <class Source>
[[gnu::always_inline]] inline CIndexRecord ReadIndexRecord(Source& source, const CIndexTable& table,
                                                           std::size_t index) {
    std::uint32_t offset = table.offsets[index];
    std::uint64_t end = table.EntryEnd(index);
    // Three times, and a file's size.
    std::size_t fields = table.IsFile(index) ? 16 : 12;
    CIndexRecord record;
    record.nameLength = *source.Bytes(offset, 1);
    std::uint64_t at = std::uint64_t{offset} + 1;
    if (at + record.nameLength + fields > end) {
        source.ThrowDamaged();
    }
    record.name = source.Bytes(at, record.nameLength + fields);
    const std::uint8_t* field = record.name + record.nameLength;
    LoadRecordTimes(field, record.times);
    if (table.IsFile(index)) {
        record.size = LoadIndexU32(field + 12);
    }
    record.next = static_cast<std::uint32_t>(at + record.nameLength + fields);
    return record;
}

// A whole index file in memory, as the search reads it.
class CIndexBytes {
public:
    // Checks the file's extension, if it has one; throws when it is damaged.
    CIndexBytes(const std::uint8_t* data, std::uint64_t length, const std::string& fileName);

    // The readers ask only for bytes before an end that the length bounds.
    const std::uint8_t* Bytes(std::uint64_t at, std::size_t /*count*/) const { return data + at; }
    // Where the tree's part of the file ends: at the extension, or at the end of the file.
    std::uint64_t GetLength() const { return length; }
    const CIndexExtension& Extension() const { return extension; }
    [[noreturn]] void ThrowDamaged() const;

private:
    const std::uint8_t* data;
    std::uint64_t length;
    const std::string& fileName;
    CIndexExtension extension;
};
