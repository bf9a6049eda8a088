// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_item.h"

#include "platform/dir_reader.h"
#include "store/coll_disk_file.h"
#include "store/index_layout.h"
#include "store/record_writer.h"

// An entry that could not be looked at has no times, rather than 1970.
CCollDiskItem::CCollDiskItem(const CCollDiskItemType* itemType, const CDirEntry& entry)
    : type(itemType),
      name(entry.name),
      creationTime(entry.detailsError == 0 ? entry.creationTime : unknownTime),
      modifyTime(entry.detailsError == 0 ? entry.modifyTime : unknownTime),
      accessTime(entry.detailsError == 0 ? entry.accessTime : unknownTime) {}

void CCollDiskItem::TakeRecord(const CIndexRecord& record, std::uint32_t at,
                               const Time64 times[3]) {
    name.assign(reinterpret_cast<const char*>(record.name), record.nameLength);
    offset = at;
    creationTime = times[timeCreation];
    accessTime = times[timeAccess];
    modifyTime = times[timeModify];
}

void CCollDiskItem::WriteItemRecord(CRecordWriter& writer) const {
    writer.WriteString(name);
    writer.WriteInt32(ToTime32(accessTime));
    writer.WriteInt32(ToTime32(creationTime));
    writer.WriteInt32(ToTime32(modifyTime));
}

bool CCollDiskItem::HasOddTime() const {
    auto odd = [](Time64 time) { return time != unknownTime && !FitsTime32(time); };
    return odd(creationTime) || odd(accessTime) || odd(modifyTime);
}

Time64 CCollDiskItem::GetTime(int kind) const {
    switch (kind) {
        case timeCreation:
            return creationTime;
        case timeAccess:
            return accessTime;
        case timeModify:
            return modifyTime;
        default:
            return CurrentTime();
    }
}

bool CCollDiskItem::IsTimeInRange(int kind, Time64 from, Time64 to) const {
    Time64 time = GetTime(kind);
    return from <= time && time <= to;
}

CCollDiskFile::CCollDiskFile(const CDirEntry& entry)
    : CCollDiskItem(&CCollDiskItemType::fileType, entry), size(entry.size) {}

void CCollDiskFile::WriteRecord(CRecordWriter& writer) const {
    WriteItemRecord(writer);
    writer.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(size)));
}

void CCollDiskFile::AssignOffsets(std::uint64_t& next) {
    offset = static_cast<std::uint32_t>(next);
    next += 17 + StoredStringLength(name);
}
