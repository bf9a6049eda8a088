#include "store/coll_disk_content.h"

#include <strings.h>

#include <memory>

#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "store/record_writer.h"

namespace {

// The smallest records an index file can hold: a name of length 0 and the fixed fields.
constexpr std::uint64_t minFolderRecord = 21;
constexpr std::uint64_t minFileRecord = 17;

int CompareFileNames(const CCollDiskFile* a, const CCollDiskFile* b) {
    return ::strcasecmp(a->name.c_str(), b->name.c_str());
}
int CompareFileCreation(const CCollDiskFile* a, const CCollDiskFile* b) {
    return CompareNumbers(a->creationTime, b->creationTime);
}
int CompareFileAccess(const CCollDiskFile* a, const CCollDiskFile* b) {
    return CompareNumbers(a->accessTime, b->accessTime);
}
int CompareFileModify(const CCollDiskFile* a, const CCollDiskFile* b) {
    return CompareNumbers(a->modifyTime, b->modifyTime);
}
// Sizes compare unsigned, as they are shown, so a DVD image does not sort before a text file.
int CompareFileSize(const CCollDiskFile* a, const CCollDiskFile* b) {
    return CompareNumbers(a->size, b->size);
}

// Reads `count` offsets of records that must all lie after the table being read.
template <class T>
void ReadOffsets(CRecordReader& reader, CSortablePtrArray<T>& items, std::uint32_t count) {
    items.Reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<T>();
        item->offset = static_cast<std::uint32_t>(reader.ReadInt32());
        items.Add(std::move(item));
    }
}

template <class T>
void CheckOffsets(const CRecordReader& reader, const CSortablePtrArray<T>& items,
                  std::uint64_t tableEnd, std::uint64_t minRecord) {
    for (const auto& item : items) {
        // A record before the end of its parent's table would let a folder contain itself.
        if (item->offset < tableEnd || item->offset + minRecord > reader.GetLength()) {
            reader.ThrowDamaged();
        }
    }
}

}  // namespace

CCollDiskContent::CCollDiskContent() = default;
CCollDiskContent::~CCollDiskContent() = default;

void CCollDiskContent::Clear() {
    folders.Clear();
    files.Clear();
}

bool CCollDiskContent::IsEmpty() const {
    return folders.empty() && files.empty();
}

void CCollDiskContent::SortFiles(int fieldId) {
    switch (fieldId) {
        case FieldName:
            files.Sort(CompareFileNames);
            break;
        case FieldCreation:
            files.Sort(CompareFileCreation);
            break;
        case FieldAccess:
            files.Sort(CompareFileAccess);
            break;
        case FieldModify:
            files.Sort(CompareFileModify);
            break;
        case FieldSize:
            files.Sort(CompareFileSize);
            break;
        default:
            break;
    }
}

void CCollDiskContent::AddTotals(CDiskTotals& totals) const {
    totals.files += static_cast<std::uint32_t>(files.size());
    totals.folders += static_cast<std::uint32_t>(folders.size());
    for (const auto& file : files) {
        totals.bytes += file->size;
    }
    for (const auto& folder : folders) {
        folder->content.AddTotals(totals);
    }
}

void CCollDiskContent::ReadTable(CRecordReader& reader) {
    Clear();
    // Each entry takes 4 bytes of this table and a record further on.
    std::uint32_t folderCount = reader.ReadCount(4 + minFolderRecord);
    ReadOffsets(reader, folders, folderCount);
    std::uint32_t fileCount = reader.ReadCount(4 + minFileRecord);
    ReadOffsets(reader, files, fileCount);
    std::uint64_t tableEnd = reader.GetPosition();
    CheckOffsets(reader, folders, tableEnd, minFolderRecord);
    CheckOffsets(reader, files, tableEnd, minFileRecord);
    for (const auto& folder : folders) {
        reader.Seek(folder->offset);
        folder->ReadItemRecord(reader);
    }
    for (const auto& file : files) {
        reader.Seek(file->offset);
        file->ReadRecord(reader);
    }
}

void CCollDiskContent::WriteTable(CRecordWriter& writer) const {
    writer.WriteInt32(static_cast<std::int32_t>(folders.size()));
    for (const auto& folder : folders) {
        writer.WriteInt32(static_cast<std::int32_t>(folder->offset));
    }
    writer.WriteInt32(static_cast<std::int32_t>(files.size()));
    for (const auto& file : files) {
        writer.WriteInt32(static_cast<std::int32_t>(file->offset));
    }
}

void CCollDiskContent::WriteChildren(CRecordWriter& writer) const {
    for (const auto& folder : folders) {
        folder->WriteRecord(writer);
    }
    for (const auto& file : files) {
        file->WriteRecord(writer);
    }
}

std::uint32_t CCollDiskContent::TableSize() const {
    return 8 + 4 * static_cast<std::uint32_t>(folders.size() + files.size());
}

void CCollDiskContent::AssignChildOffsets(std::uint32_t& next) {
    for (const auto& folder : folders) {
        folder->AssignOffsets(next);
    }
    for (const auto& file : files) {
        file->AssignOffsets(next);
    }
}
