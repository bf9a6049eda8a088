// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_item.h"

#include "platform/dir_reader.h"
#include "store/coll_disk_file.h"
#include "store/index_layout.h"
#include "store/record_writer.h"

// An entry that could not be looked at has no times: it gets the value of a time that could
// not be converted, which tables show empty and no date search finds, rather than 1970.
CCollDiskItem::CCollDiskItem(const CCollDiskItemType* itemType, const CDirEntry& entry)
    : type(itemType),
      name(entry.name),
      creationTime(entry.detailsError == 0 ? ToTime32(entry.creationTime) : unknownTime),
      modifyTime(entry.detailsError == 0 ? ToTime32(entry.modifyTime) : unknownTime),
      accessTime(entry.detailsError == 0 ? ToTime32(entry.accessTime) : unknownTime) {}

void CCollDiskItem::TakeRecord(const CIndexRecord& record, std::uint32_t at) {
    name.assign(reinterpret_cast<const char*>(record.name), record.nameLength);
    offset = at;
    creationTime = record.times[timeCreation];
    accessTime = record.times[timeAccess];
    modifyTime = record.times[timeModify];
}

void CCollDiskItem::WriteItemRecord(CRecordWriter& writer) const {
    writer.WriteString(name);
    writer.WriteInt32(accessTime);
    writer.WriteInt32(creationTime);
    writer.WriteInt32(modifyTime);
}

Time32 CCollDiskItem::GetTime(int kind) const {
    switch (kind) {
        case timeCreation:
            return creationTime;
        case timeAccess:
            return accessTime;
        case timeModify:
            return modifyTime;
        default:
            return CurrentTime32();
    }
}

bool CCollDiskItem::IsTimeInRange(int kind, Time32 from, Time32 to) const {
    Time32 time = GetTime(kind);
    return from <= time && time <= to;
}

CCollDiskFile::CCollDiskFile(const CDirEntry& entry)
    : CCollDiskItem(&CCollDiskItemType::fileType, entry),
      size(static_cast<std::uint32_t>(entry.size)) {}

void CCollDiskFile::WriteRecord(CRecordWriter& writer) const {
    WriteItemRecord(writer);
    writer.WriteInt32(static_cast<std::int32_t>(size));
}

void CCollDiskFile::AssignOffsets(std::uint32_t& next) {
    offset = next;
    next += 17 + static_cast<std::uint32_t>(StoredStringLength(name));
}
