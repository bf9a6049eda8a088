// SPDX-License-Identifier: GPL-3.0-or-later
// The block after an index file's tree that keeps what its 32-bit fields cannot: the disk's
// totals in 64 bits, the full size of each file of 4 GiB or more and the full times of each
// entry with a time outside 1970..2038. Readers that know only the tree never reach it; the
// header's first four bytes, which they leave alone, say where it begins (0: there is none).
//
// At that offset: "TX64", the totals (bytes, files, folders) as u64, the number of size
// entries and of time entries as u32, then the size entries (record offset u32, size u64)
// and the time entries (record offset u32, access, creation and modify times as i64), each
// list in increasing record offset. The block ends the file. docs/FORMAT.md has it in full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "helpers/coll_types.h"
#include "store/coll_totals.h"

class CRecordWriter;

namespace indexExtension {
constexpr std::size_t headSize = 36;
constexpr std::size_t sizeEntrySize = 12;
constexpr std::size_t timeEntrySize = 28;
}  // namespace indexExtension

// The fixed part of the block.
struct CIndexExtensionHead {
    CDiskTotals totals;
    std::uint32_t sizeCount = 0;
    std::uint32_t timeCount = 0;
};

// Where the block begins, from the header's first four bytes; 0 when there is none.
std::uint32_t IndexExtensionAt(const std::uint8_t* header);

// Reads the block's fixed part (`head`, headSize bytes at `at`) of a file of `fileLength`
// bytes whose header is `header`. False when it is damaged: not marked, starting inside the
// header or the root's table counts, entries that do not end exactly at the end of the file, or
// totals whose low 32 bits are not the header's.
bool ReadIndexExtensionHead(const std::uint8_t* header, const std::uint8_t* head, std::uint32_t at,
                            std::uint64_t fileLength, CIndexExtensionHead& out);

// The whole block in memory, checked once, then looked up by record offset.
class CIndexExtension {
public:
    // Takes the block of `blockLength` bytes at `at` (which must stay valid) of the file whose
    // header is `header`, and checks it: its head, and every list's offsets increasing and
    // lying in the tree, every listed size needing more than 32 bits. False when damaged.
    bool Take(const std::uint8_t* header, const std::uint8_t* block, std::uint64_t blockLength,
              std::uint32_t at);

    bool IsPresent() const { return present; }
    const CIndexExtensionHead& Head() const { return head; }
    std::size_t EntryCount() const {
        return present ? std::size_t{head.sizeCount} + head.timeCount : 0;
    }

    // The full size of the file whose record is at `offset`, when the block lists it.
    bool FindSize(std::uint32_t offset, std::uint64_t& size) const;
    // The full times of the entry whose record is at `offset` (by CCollDiskItem::TimeKind),
    // when the block lists them.
    bool FindTimes(std::uint32_t offset, Time64 times[3]) const;
    // Whether every entry names a record of the tree in `file` (the whole file) that agrees
    // with it: a size entry, a record whose size field holds the size's low 32 bits; a time
    // entry, a record whose time fields hold each time as TakeFullTimes demands.
    bool NamesRecordsIn(const std::uint8_t* file) const;
    // Offsets of the size and time entries.
    std::uint32_t SizeKey(std::size_t index) const;
    std::uint32_t TimeKey(std::size_t index) const;

private:
    bool present = false;
    CIndexExtensionHead head;
    const std::uint8_t* sizes = nullptr;
    const std::uint8_t* times = nullptr;
    std::uint32_t treeEnd = 0;
};

// The full times of the record at `offset`, from its 32-bit fields and the block. False when
// the block contradicts the record: a time that the record's field would hold, held otherwise.
bool TakeFullTimes(const CIndexExtension& extension, std::uint32_t offset,
                   const Time32 storedTimes[3], Time64 times[3]);
// The same, and a file's size, for a block with entries. False also for a size whose low 32
// bits are not the record's, and for a size listed for a folder.
bool TakeListedValues(const CIndexExtension& extension, std::uint32_t offset, bool isFile,
                      const Time32 storedTimes[3], std::uint32_t storedSize, Time64 times[3],
                      std::uint64_t& size);
// The same for any file; inline, as browsing calls it once per item and most files have no
// entries at all.
inline bool TakeFullValues(const CIndexExtension& extension, std::uint32_t offset, bool isFile,
                           const Time32 storedTimes[3], std::uint32_t storedSize, Time64 times[3],
                           std::uint64_t& size) {
    if (extension.EntryCount() != 0) {
        return TakeListedValues(extension, offset, isFile, storedTimes, storedSize, times, size);
    }
    size = storedSize;
    for (int kind = 0; kind < 3; ++kind) {
        times[kind] = FromTime32(storedTimes[kind]);
    }
    return true;
}

// What the writer puts in the block, gathered from the tree in record order.
struct CIndexExtensionEntries {
    struct Size {
        std::uint32_t offset;
        std::uint64_t size;
    };
    struct Times {
        std::uint32_t offset;
        Time64 times[3];  // by CCollDiskItem::TimeKind
    };
    CDiskTotals totals;
    std::vector<Size> sizes;
    std::vector<Times> times;

    // Whether the file needs the block at all: some value does not fit its 32-bit field.
    bool IsNeeded() const;
    // Bytes the block takes.
    std::uint64_t BlockSize() const;
    void Write(CRecordWriter& writer) const;
};
