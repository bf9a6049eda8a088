// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_content.h"

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/file_exception.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/index_layout.h"
#include "store/record_reader.h"
#include "store/record_writer.h"

namespace {

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
    return a->size < b->size ? -1 : (a->size > b->size ? 1 : 0);
}

// Calls onFolder for each folder and onFile for each file below `root`, in the order of an
// index file's records: a folder, then its subtree (its folders, then its files), then the
// next folder; the files come after the last folder. Uses no stack space per level.
template <class Content, class OnFolder, class OnFile>
void VisitDepthFirst(Content& root, OnFolder onFolder, OnFile onFile) {
    struct Level {
        Content* content;
        std::size_t next;
    };
    std::vector<Level> stack{{&root, 0}};
    while (!stack.empty()) {
        Content& content = *stack.back().content;
        std::size_t index = stack.back().next;
        if (index < content.folders.size()) {
            ++stack.back().next;
            CCollDiskFolder& folder = *content.folders[index];
            onFolder(folder);
            stack.push_back({&folder.content, 0});
            continue;
        }
        for (const auto& file : content.files) {
            onFile(*file);
        }
        stack.pop_back();
    }
}

}  // namespace

CCollDiskContent::CCollDiskContent() = default;

CCollDiskContent::~CCollDiskContent() {
    DestroyFolders();
}

// Each folder is taken out of the tree, and its own folders with it, before it is destroyed:
// destroyed in place, a tree of any depth would destroy itself one nested call per level.
void CCollDiskContent::DestroyFolders() {
    std::vector<std::unique_ptr<CCollDiskFolder>> doomed;
    while (!folders.empty()) {
        doomed.push_back(folders.RemoveAt(folders.size() - 1));
    }
    while (!doomed.empty()) {
        std::unique_ptr<CCollDiskFolder> folder = std::move(doomed.back());
        doomed.pop_back();
        CSortablePtrArray<CCollDiskFolder>& inside = folder->content.folders;
        while (!inside.empty()) {
            doomed.push_back(inside.RemoveAt(inside.size() - 1));
        }
    }
}

void CCollDiskContent::Clear() {
    DestroyFolders();
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
    VisitDepthFirst(
        *this, [&](const CCollDiskFolder&) { ++totals.folders; },
        [&](const CCollDiskFile& file) {
            ++totals.files;
            totals.bytes += file.size;
        });
}

bool CCollDiskContent::GetNewestModifyTime(Time64& newest) const {
    bool found = false;
    auto take = [&](const CCollDiskItem& item) {
        if (item.modifyTime != CCollDiskItem::unknownTime && (!found || item.modifyTime > newest)) {
            newest = item.modifyTime;
            found = true;
        }
    };
    VisitDepthFirst(*this, take, take);
    return found;
}

void CCollDiskContent::GatherExtension(CIndexExtensionEntries& entries) const {
    auto times = [&](const CCollDiskItem& item) {
        if (item.HasOddTime()) {
            entries.times.push_back({item.offset, {}});
            for (int kind = 0; kind < 3; ++kind) {
                entries.times.back().times[kind] = item.GetTime(kind);
            }
        }
    };
    VisitDepthFirst(*this, times, [&](const CCollDiskFile& file) {
        if (file.size > UINT32_MAX) {
            entries.sizes.push_back({file.offset, file.size});
        }
        times(file);
    });
}

void CCollDiskContent::ReadTable(CRecordReader& reader, std::uint32_t at, std::uint64_t end) {
    Clear();
    CIndexTable table;
    bool whole = ReadIndexTablePrefix(reader, at, end, table);
    // Every entry first, then the names: entries side by side sort faster than entries
    // interleaved with their names.
    folders.Reserve(table.folderCount);
    for (std::size_t i = 0; i < table.folderCount; ++i) {
        folders.Add(std::make_unique<CCollDiskFolder>());
    }
    files.Reserve(table.Size() - table.folderCount);
    for (std::size_t i = table.folderCount; i < table.Size(); ++i) {
        files.Add(std::make_unique<CCollDiskFile>());
    }
    // A damaged record ends the reading; the entries without a record are no use to anyone.
    std::size_t read = 0;
    try {
        for (; read < table.folderCount; ++read) {
            CIndexRecord record = ReadIndexRecord(reader, table, read);
            CCollDiskFolder& folder = *folders[read];
            Time64 times[3];
            std::uint64_t size = 0;
            if (!TakeFullValues(reader.Extension(), table.offsets[read], false, record.times, 0,
                                times, size)) {
                reader.ThrowDamaged();
            }
            folder.TakeRecord(record, table.offsets[read], times);
            folder.tableOffset = record.next;
            folder.subtreeEnd = table.EntryEnd(read);
        }
        for (; read < table.Size(); ++read) {
            CIndexRecord record = ReadIndexRecord(reader, table, read);
            CCollDiskFile& file = *files[read - table.folderCount];
            Time64 times[3];
            if (!TakeFullValues(reader.Extension(), table.offsets[read], true, record.times,
                                record.size, times, file.size)) {
                reader.ThrowDamaged();
            }
            file.TakeRecord(record, table.offsets[read], times);
        }
    } catch (const CFileException&) {
        folders.Truncate(std::min(read, table.folderCount));
        files.Truncate(read > table.folderCount ? read - table.folderCount : 0);
        throw;
    }
    if (!whole) {
        reader.ThrowDamaged();
    }
}

void CCollDiskContent::ReadFolderTables(CRecordReader& reader) {
    std::optional<CFileException> failure;
    // One damaged folder does not hide the ones beside it.
    for (const auto& folder : folders) {
        KeepFirstFileError(failure, [&] { folder->ReadTable(reader); });
    }
    if (failure) {
        throw *failure;
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
    // Depth first, as AssignChildOffsets counted: a folder's record, its subtree, the next
    // folder, and after the last one the files.
    VisitDepthFirst(
        *this,
        [&](const CCollDiskFolder& folder) {
            folder.WriteItemRecord(writer);
            folder.content.WriteTable(writer);
        },
        [&](const CCollDiskFile& file) { file.WriteRecord(writer); });
}

std::uint32_t CCollDiskContent::TableSize() const {
    return 8 + 4 * static_cast<std::uint32_t>(folders.size() + files.size());
}

void CCollDiskContent::AssignChildOffsets(std::uint64_t& next) {
    VisitDepthFirst(
        *this,
        [&](CCollDiskFolder& folder) {
            folder.offset = static_cast<std::uint32_t>(next);
            next += folder.RecordSize();
        },
        [&](CCollDiskFile& file) { file.AssignOffsets(next); });
}
