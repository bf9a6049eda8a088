// A folder entry of a disk's tree, with the entries it contains.
#pragma once

#include "store/coll_disk_content.h"
#include "store/coll_disk_item.h"

class CCollDiskFolder : public CCollDiskItem {
public:
    CCollDiskFolder() : CCollDiskItem(&CCollDiskItemType::folderType) {}
    explicit CCollDiskFolder(const CDirEntry& entry)
        : CCollDiskItem(&CCollDiskItemType::folderType, entry) {}

    void ReadRecord(CRecordReader& reader) override;
    void WriteRecord(CRecordWriter& writer) const override;
    void AssignOffsets(std::uint32_t& next) override;
    // Bytes of this folder's own record: name, times and table.
    std::uint32_t RecordSize() const;
    // Reads the full record of every subfolder: one level more of the tree.
    void LoadSubfolders(CRecordReader& reader);

    CCollDiskContent content;
    // Where this folder's record and subtree must end in its index file: the next entry's
    // record, or the end of its parent's. Set when the parent's table is read.
    std::uint32_t subtreeEnd = 0;
};
