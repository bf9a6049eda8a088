// SPDX-License-Identifier: GPL-3.0-or-later
// A folder entry of a disk's tree, with the entries it contains.
#pragma once

#include "store/coll_disk_content.h"
#include "store/coll_disk_item.h"

class CCollDiskFolder : public CCollDiskItem {
public:
    CCollDiskFolder() : CCollDiskItem(&CCollDiskItemType::folderType) {}
    explicit CCollDiskFolder(const CDirEntry& entry)
        : CCollDiskItem(&CCollDiskItemType::folderType, entry) {}

    void WriteRecord(CRecordWriter& writer) const override;
    void AssignOffsets(std::uint64_t& next) override;
    // Bytes of this folder's own record: name, times and table.
    std::uint32_t RecordSize() const;
    // Reads this folder's table and the records it lists: its folders and files.
    void ReadTable(CRecordReader& reader);
    // Reads the table of every subfolder: one level more of the tree.
    void LoadSubfolders(CRecordReader& reader);

    CCollDiskContent content;
    // Where this folder's record and subtree must end in its index file: the next entry's
    // record, or the end of its parent's. Set when the parent's table is read.
    std::uint32_t subtreeEnd = 0;
    // Where this folder's table lies, after its record's fixed fields.
    std::uint32_t tableOffset = 0;
};
