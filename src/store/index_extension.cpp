// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/index_extension.h"

#include <algorithm>
#include <cstring>

#include "store/coll_disk_header.h"
#include "store/coll_disk_item.h"
#include "store/index_layout.h"
#include "store/record_writer.h"

namespace {

constexpr std::uint8_t magic[4] = {'T', 'X', '6', '4'};
// The root's table counts lie before any record or block: nothing starts earlier.
constexpr std::uint64_t firstRecordAt = CCollDiskHeader::size + 8;

std::uint64_t LoadU64(const std::uint8_t* bytes) {
    return std::uint64_t{LoadIndexU32(bytes)} | std::uint64_t{LoadIndexU32(bytes + 4)} << 32;
}

// The times of a time entry, stored access, creation, modify as a record keeps them.
void LoadTimes(const std::uint8_t* entry, Time64 times[3]) {
    times[CCollDiskItem::timeAccess] = static_cast<Time64>(LoadU64(entry + 4));
    times[CCollDiskItem::timeCreation] = static_cast<Time64>(LoadU64(entry + 12));
    times[CCollDiskItem::timeModify] = static_cast<Time64>(LoadU64(entry + 20));
}

// The entry whose key is `offset` in a list of `count` entries of `entrySize` bytes, or null.
const std::uint8_t* FindEntry(const std::uint8_t* list, std::uint32_t count, std::size_t entrySize,
                              std::uint32_t offset) {
    std::uint32_t low = 0;
    std::uint32_t high = count;
    while (low < high) {
        std::uint32_t middle = low + (high - low) / 2;
        std::uint32_t key = LoadIndexU32(list + std::size_t{middle} * entrySize);
        if (key < offset) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low < count && LoadIndexU32(list + std::size_t{low} * entrySize) == offset) {
        return list + std::size_t{low} * entrySize;
    }
    return nullptr;
}

// Keys strictly increasing, each one where a record may start in a tree ending at `treeEnd`.
bool KeysInTree(const std::uint8_t* list, std::uint32_t count, std::size_t entrySize,
                std::uint32_t treeEnd) {
    std::uint64_t previous = firstRecordAt;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t key = LoadIndexU32(list + std::size_t{i} * entrySize);
        if (key < previous || key >= treeEnd) {
            return false;
        }
        previous = std::uint64_t{key} + 1;
    }
    return true;
}

// Whether a record's fields may stand for the full times: a time that fits is held as it is,
// one that does not as -1 or 0.
bool TimesAgree(const Time32 stored[3], const Time64 full[3]) {
    for (int kind = 0; kind < 3; ++kind) {
        bool kept = FitsTime32(full[kind]) ? stored[kind] == full[kind]
                                           : stored[kind] == -1 || stored[kind] == 0;
        if (!kept) {
            return false;
        }
    }
    return true;
}

void WriteU64(CRecordWriter& writer, std::uint64_t value) {
    writer.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    writer.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(value >> 32)));
}

}  // namespace

std::uint32_t IndexExtensionAt(const std::uint8_t* header) {
    return LoadIndexU32(header);
}

bool ReadIndexExtensionHead(const std::uint8_t* header, const std::uint8_t* head, std::uint32_t at,
                            std::uint64_t fileLength, CIndexExtensionHead& out) {
    using namespace indexExtension;
    if (at < firstRecordAt || at > fileLength || fileLength - at < headSize ||
        std::memcmp(head, magic, sizeof magic) != 0) {
        return false;
    }
    out.totals.bytes = LoadU64(head + 4);
    out.totals.files = LoadU64(head + 12);
    out.totals.folders = LoadU64(head + 20);
    out.sizeCount = LoadIndexU32(head + 28);
    out.timeCount = LoadIndexU32(head + 32);
    std::uint64_t entries =
        std::uint64_t{out.sizeCount} * sizeEntrySize + std::uint64_t{out.timeCount} * timeEntrySize;
    return fileLength - at - headSize == entries &&
           static_cast<std::uint32_t>(out.totals.files) == LoadIndexU32(header + 332) &&
           static_cast<std::uint32_t>(out.totals.folders) == LoadIndexU32(header + 336) &&
           static_cast<std::uint32_t>(out.totals.bytes) == LoadIndexU32(header + 340);
}

bool CIndexExtension::Take(const std::uint8_t* header, const std::uint8_t* block,
                           std::uint64_t blockLength, std::uint32_t at) {
    using namespace indexExtension;
    present = false;
    if (blockLength < headSize ||
        !ReadIndexExtensionHead(header, block, at, std::uint64_t{at} + blockLength, head)) {
        return false;
    }
    sizes = block + headSize;
    times = sizes + std::size_t{head.sizeCount} * sizeEntrySize;
    if (!KeysInTree(sizes, head.sizeCount, sizeEntrySize, at) ||
        !KeysInTree(times, head.timeCount, timeEntrySize, at)) {
        return false;
    }
    for (std::uint32_t i = 0; i < head.sizeCount; ++i) {
        if (LoadU64(sizes + std::size_t{i} * sizeEntrySize + 4) <= UINT32_MAX) {
            return false;
        }
    }
    treeEnd = at;
    present = true;
    return true;
}

bool CIndexExtension::FindSize(std::uint32_t offset, std::uint64_t& size) const {
    const std::uint8_t* entry =
        FindEntry(sizes, head.sizeCount, indexExtension::sizeEntrySize, offset);
    if (entry == nullptr) {
        return false;
    }
    size = LoadU64(entry + 4);
    return true;
}

bool CIndexExtension::FindTimes(std::uint32_t offset, Time64 found[3]) const {
    const std::uint8_t* entry =
        FindEntry(times, head.timeCount, indexExtension::timeEntrySize, offset);
    if (entry == nullptr) {
        return false;
    }
    LoadTimes(entry, found);
    return true;
}

bool CIndexExtension::NamesRecordsIn(const std::uint8_t* file) const {
    using namespace indexExtension;
    // A record's fixed fields after its name: three times, and a file's size.
    auto fields = [&](std::uint32_t key, std::size_t count) -> const std::uint8_t* {
        std::uint64_t end = std::uint64_t{key} + 1 + file[key] + count;
        return end <= treeEnd ? file + key + 1 + file[key] : nullptr;
    };
    for (std::uint32_t i = 0; i < head.sizeCount; ++i) {
        const std::uint8_t* entry = sizes + std::size_t{i} * sizeEntrySize;
        const std::uint8_t* record = fields(LoadIndexU32(entry), 16);
        if (record == nullptr || LoadIndexU32(record + 12) != LoadIndexU32(entry + 4)) {
            return false;
        }
    }
    for (std::uint32_t i = 0; i < head.timeCount; ++i) {
        const std::uint8_t* entry = times + std::size_t{i} * timeEntrySize;
        const std::uint8_t* record = fields(LoadIndexU32(entry), 12);
        if (record == nullptr) {
            return false;
        }
        Time32 stored[3];
        LoadRecordTimes(record, stored);
        Time64 full[3];
        LoadTimes(entry, full);
        if (!TimesAgree(stored, full)) {
            return false;
        }
    }
    return true;
}

std::uint32_t CIndexExtension::SizeKey(std::size_t index) const {
    return LoadIndexU32(sizes + index * indexExtension::sizeEntrySize);
}

std::uint32_t CIndexExtension::TimeKey(std::size_t index) const {
    return LoadIndexU32(times + index * indexExtension::timeEntrySize);
}

bool TakeFullTimes(const CIndexExtension& extension, std::uint32_t offset,
                   const Time32 storedTimes[3], Time64 times[3]) {
    for (int kind = 0; kind < 3; ++kind) {
        times[kind] = FromTime32(storedTimes[kind]);
    }
    Time64 full[3];
    if (!extension.IsPresent() || !extension.FindTimes(offset, full)) {
        return true;
    }
    // Only a time outside the field's reach may be written as -1 or 0 there; any other must
    // be the field's own, whether or not the record holds an odd time.
    if (!TimesAgree(storedTimes, full)) {
        return false;
    }
    std::copy(full, full + 3, times);
    return true;
}

bool TakeListedValues(const CIndexExtension& extension, std::uint32_t offset, bool isFile,
                      const Time32 storedTimes[3], std::uint32_t storedSize, Time64 times[3],
                      std::uint64_t& size) {
    size = storedSize;
    if (extension.IsPresent() && extension.FindSize(offset, size)) {
        // A folder has no size to complete.
        if (!isFile || static_cast<std::uint32_t>(size) != storedSize) {
            return false;
        }
    }
    return TakeFullTimes(extension, offset, storedTimes, times);
}

bool CIndexExtensionEntries::IsNeeded() const {
    return !sizes.empty() || !times.empty() || totals.files > UINT32_MAX ||
           totals.folders > UINT32_MAX || totals.bytes > UINT32_MAX;
}

std::uint64_t CIndexExtensionEntries::BlockSize() const {
    using namespace indexExtension;
    return headSize + sizes.size() * sizeEntrySize + times.size() * timeEntrySize;
}

void CIndexExtensionEntries::Write(CRecordWriter& writer) const {
    writer.WriteBytes(magic, sizeof magic);
    WriteU64(writer, totals.bytes);
    WriteU64(writer, totals.files);
    WriteU64(writer, totals.folders);
    writer.WriteInt32(static_cast<std::int32_t>(sizes.size()));
    writer.WriteInt32(static_cast<std::int32_t>(times.size()));
    for (const Size& entry : sizes) {
        writer.WriteInt32(static_cast<std::int32_t>(entry.offset));
        WriteU64(writer, entry.size);
    }
    for (const Times& entry : times) {
        writer.WriteInt32(static_cast<std::int32_t>(entry.offset));
        WriteU64(writer, static_cast<std::uint64_t>(entry.times[CCollDiskItem::timeAccess]));
        WriteU64(writer, static_cast<std::uint64_t>(entry.times[CCollDiskItem::timeCreation]));
        WriteU64(writer, static_cast<std::uint64_t>(entry.times[CCollDiskItem::timeModify]));
    }
}
