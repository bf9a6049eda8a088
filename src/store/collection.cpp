// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/collection.h"

#include <strings.h>

#include <cstring>

namespace {

int CompareTitles(const CCollDisk* a, const CCollDisk* b) {
    return std::strcmp(a->title.c_str(), b->title.c_str());
}
// Byte totals compare unsigned, as they are shown.
int CompareSizes(const CCollDisk* a, const CCollDisk* b) {
    return CompareNumbers(a->header.totalBytes, b->header.totalBytes);
}
int CompareBurnDates(const CCollDisk* a, const CCollDisk* b) {
    return CompareNumbers(a->header.burnDate, b->header.burnDate);
}
int CompareFiles(const CCollDisk* a, const CCollDisk* b) {
    return CompareNumbers(a->header.totalFiles, b->header.totalFiles);
}
int CompareFolders(const CCollDisk* a, const CCollDisk* b) {
    return CompareNumbers(a->header.totalFolders, b->header.totalFolders);
}

}  // namespace

void CCollection::Clear() {
    disks.Clear();
    description.clear();
}

CCollDisk* CCollection::AddDisk(std::unique_ptr<CCollDisk> disk) {
    return disks.Add(std::move(disk));
}

std::unique_ptr<CCollDisk> CCollection::RemoveDisk(const CCollDisk* disk) {
    for (std::size_t i = 0; i < disks.size(); ++i) {
        if (disks[i] == disk) {
            return disks.RemoveAt(i);
        }
    }
    return nullptr;
}

CCollDisk* CCollection::FindDiskByTitle(const std::string& text) const {
    for (const auto& disk : disks) {
        if (disk->title == text) {
            return disk.get();
        }
    }
    return nullptr;
}

CCollDisk* CCollection::FindDiskByIndexPath(const std::string& indexPath) const {
    for (const auto& disk : disks) {
        if (disk->indexPath.size() == indexPath.size() &&
            ::strncasecmp(disk->indexPath.c_str(), indexPath.c_str(), indexPath.size()) == 0) {
            return disk.get();
        }
    }
    return nullptr;
}

void CCollection::SortDisks(int fieldId) {
    switch (fieldId) {
        case FieldName:
            disks.Sort(CompareTitles);
            break;
        case FieldSize:
            disks.Sort(CompareSizes);
            break;
        case FieldBurnDate:
            disks.Sort(CompareBurnDates);
            break;
        case FieldFiles:
            disks.Sort(CompareFiles);
            break;
        case FieldFolders:
            disks.Sort(CompareFolders);
            break;
        default:
            break;
    }
}

void CCollection::GetTotals(CCollTotals& out) const {
    out = CCollTotals();
    out.disks = static_cast<std::int32_t>(disks.size());
    for (const auto& disk : disks) {
        out.files += disk->header.totalFiles;
        out.folders += disk->header.totalFolders;
        out.bytes += disk->header.totalBytes;
    }
}
