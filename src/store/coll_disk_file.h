// SPDX-License-Identifier: GPL-3.0-or-later
// A file entry of a disk's tree.
#pragma once

#include "store/coll_disk_item.h"

class CCollDiskFile : public CCollDiskItem {
public:
    CCollDiskFile() : CCollDiskItem(&CCollDiskItemType::fileType) {}
    explicit CCollDiskFile(const CDirEntry& entry);

    void WriteRecord(CRecordWriter& writer) const override;
    void AssignOffsets(std::uint64_t& next) override;

    // The file's length in bytes.
    std::uint64_t size = 0;
};
