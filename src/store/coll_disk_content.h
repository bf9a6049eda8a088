// SPDX-License-Identifier: GPL-3.0-or-later
// The folders and files directly inside a folder or at a disk's root. Owns every entry.
// Every walk over the tree below is a loop, never a nested call per level, so a tree of any
// depth can be counted, written and destroyed.
#pragma once

#include <cstdint>

#include "helpers/coll_types.h"
#include "store/index_extension.h"
#include "store/sortable_ptr_array.h"

class CCollDiskFolder;
class CCollDiskFile;
class CRecordReader;
class CRecordWriter;

class CCollDiskContent {
public:
    CCollDiskContent();
    CCollDiskContent(const CCollDiskContent&) = delete;
    CCollDiskContent& operator=(const CCollDiskContent&) = delete;
    ~CCollDiskContent();

    void Clear();
    bool IsEmpty() const;
    // Reorders `files` only; an id without a compare function changes nothing.
    void SortFiles(int fieldId);
    void AddTotals(CDiskTotals& totals) const;
    // The latest modification time of every folder and file below, unknown times left out;
    // false when there is none.
    bool GetNewestModifyTime(Time64& newest) const;
    // The values below that an index file's 32-bit fields cannot hold, in record order; the
    // offsets must be assigned.
    void GatherExtension(CIndexExtensionEntries& entries) const;

    // Reads the table at `at` and the records it lists, of an entry whose range ends at `end`
    // (see store/index_layout.h for what a damaged file is). On damage the entries read before
    // it stay, and the error is thrown after them.
    void ReadTable(CRecordReader& reader, std::uint32_t at, std::uint64_t end);
    // Reads each folder's own table, as far as it can; the first failure is thrown after all.
    void ReadFolderTables(CRecordReader& reader);
    void WriteTable(CRecordWriter& writer) const;
    // Writes the records of every entry below, at any depth, depth first.
    void WriteChildren(CRecordWriter& writer) const;
    // Bytes the table takes in an index file.
    std::uint32_t TableSize() const;
    // Gives every entry below, at any depth, the offset at which WriteChildren puts it.
    void AssignChildOffsets(std::uint64_t& next);

    CSortablePtrArray<CCollDiskFolder> folders;
    CSortablePtrArray<CCollDiskFile> files;

private:
    void DestroyFolders();
};
