// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_folder.h"

#include "store/record_reader.h"
#include "store/record_writer.h"

void CCollDiskFolder::ReadTable(CRecordReader& reader) {
    content.ReadTable(reader, tableOffset, subtreeEnd);
}

void CCollDiskFolder::WriteRecord(CRecordWriter& writer) const {
    WriteItemRecord(writer);
    content.WriteTable(writer);
    content.WriteChildren(writer);
}

void CCollDiskFolder::AssignOffsets(std::uint64_t& next) {
    offset = static_cast<std::uint32_t>(next);
    next += RecordSize();
    content.AssignChildOffsets(next);
}

std::uint32_t CCollDiskFolder::RecordSize() const {
    return 13 + static_cast<std::uint32_t>(StoredStringLength(name)) + content.TableSize();
}

void CCollDiskFolder::LoadSubfolders(CRecordReader& reader) {
    content.ReadFolderTables(reader);
}
