// SPDX-License-Identifier: GPL-3.0-or-later
// What folder and file entries of a disk's tree share: type, name, record offset and times.
#pragma once

#include <cstdint>
#include <string>

#include "helpers/coll_types.h"
#include "store/coll_disk_item_type.h"

class CRecordWriter;
struct CDirEntry;
struct CIndexRecord;

class CCollDiskItem {
public:
    // Time kinds of GetTime and IsTimeInRange.
    enum TimeKind { timeCreation = 0, timeAccess = 1, timeModify = 2 };
    // The time of an entry whose times could not be read.
    static constexpr Time64 unknownTime = ::unknownTime;

    explicit CCollDiskItem(const CCollDiskItemType* itemType) : type(itemType) {}
    CCollDiskItem(const CCollDiskItemType* itemType, const CDirEntry& entry);
    CCollDiskItem(const CCollDiskItem&) = delete;
    CCollDiskItem& operator=(const CCollDiskItem&) = delete;
    virtual ~CCollDiskItem() = default;

    virtual void WriteRecord(CRecordWriter& writer) const = 0;
    // Gives this entry (and its subtree) the offsets at which the writer will put them.
    virtual void AssignOffsets(std::uint64_t& next) = 0;

    // Takes the name of this entry's record, found at `at`, and its full times.
    void TakeRecord(const CIndexRecord& record, std::uint32_t at, const Time64 times[3]);
    void WriteItemRecord(CRecordWriter& writer) const;
    // Whether a time does not fit the record's 32-bit field: the file's extension keeps it.
    bool HasOddTime() const;

    Time64 GetTime(int kind) const;
    bool IsTimeInRange(int kind, Time64 from, Time64 to) const;
    bool IsFolder() const { return type->isContainer; }

    const CCollDiskItemType* type;
    std::string name;
    std::uint32_t offset = 0;
    Time64 creationTime = 0;
    Time64 modifyTime = 0;
    Time64 accessTime = 0;
};
