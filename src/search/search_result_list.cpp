// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_result_list.h"

#include <algorithm>
#include <cstring>

#include "search/coll_search.h"
#include "store/coll_disk_item_type.h"

namespace {

// Byte order as unsigned characters, as std::string_view compares.
int CompareBytes(std::string_view a, std::string_view b) {
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

bool CSearchResultList::IsLastFolder(const CCataloguePath& path) const {
    if (folders.empty()) {
        return false;
    }
    const CFolder& last = folders.back();
    std::size_t parts = separators.size() - last.partsAt;
    if (parts != path.names.size()) {
        return false;
    }
    std::string_view folder = std::string_view(text).substr(last.at, last.length);
    const std::uint32_t* at = separators.data() + last.partsAt;
    if (folder.substr(0, at[0] - 1) != path.title) {
        return false;
    }
    // Compared name by name: the same bytes may be other names ("a\b" or "a" and "b").
    for (std::size_t i = 0; i + 1 < parts; ++i) {
        if (folder.substr(at[i] + 1, at[i + 1] - at[i] - 1) != path.names[i]) {
            return false;
        }
    }
    return true;
}

void CSearchResultList::Add(const CCollSearchResult& result) {
    const CCataloguePath& path = result.path;
    if (path.names.empty()) {
        return;
    }
    // Results come folder by folder: a folder's path is kept once for all its items.
    if (!IsLastFolder(path)) {
        CFolder folder{text.size(), 0, static_cast<std::uint32_t>(separators.size())};
        text.append(path.title).append(1, ':');
        for (std::size_t i = 0; i + 1 < path.names.size(); ++i) {
            separators.push_back(static_cast<std::uint32_t>(text.size() - folder.at));
            text.append(1, '\\').append(path.names[i]);
        }
        separators.push_back(static_cast<std::uint32_t>(text.size() - folder.at));
        text.append(1, '\\');
        folder.length = static_cast<std::uint32_t>(text.size() - folder.at);
        folders.push_back(folder);
    }
    const std::string& name = path.names.back();
    CRecord record{};
    record.nameAt = text.size();
    record.folder = static_cast<std::uint32_t>(folders.size() - 1);
    record.nameLength = static_cast<std::uint32_t>(name.size());
    record.times[0] = result.creationTime;
    record.times[1] = result.modifyTime;
    record.times[2] = result.accessTime;
    record.isFolder = result.type == &CCollDiskItemType::folderType;
    text.append(name);
    order.push_back(static_cast<std::uint32_t>(records.size()));
    records.push_back(record);
}

void CSearchResultList::Clear() {
    // The memory goes back too: the last search may have been a large one.
    std::string().swap(text);
    std::vector<CFolder>().swap(folders);
    std::vector<std::uint32_t>().swap(separators);
    std::vector<CRecord>().swap(records);
    std::vector<std::uint32_t>().swap(order);
}

std::string_view CSearchResultList::FolderOf(const CRecord& record) const {
    const CFolder& folder = folders[record.folder];
    return std::string_view(text).substr(folder.at, folder.length);
}

std::string_view CSearchResultList::NameOf(const CRecord& record) const {
    return std::string_view(text).substr(record.nameAt, record.nameLength);
}

const CCollDiskItemType& CSearchResultList::GetType(std::size_t row) const {
    return RecordOf(row).isFolder ? CCollDiskItemType::folderType : CCollDiskItemType::fileType;
}

std::string_view CSearchResultList::GetName(std::size_t row) const {
    return NameOf(RecordOf(row));
}

std::string CSearchResultList::GetPath(std::size_t row) const {
    const CRecord& record = RecordOf(row);
    std::string path(FolderOf(record));
    path.append(NameOf(record));
    return path;
}

CCataloguePath CSearchResultList::GetCataloguePath(std::size_t row) const {
    const CRecord& record = RecordOf(row);
    const CFolder& folder = folders[record.folder];
    std::string_view folderText = FolderOf(record);
    std::size_t end =
        record.folder + 1 < folders.size() ? folders[record.folder + 1].partsAt : separators.size();
    const std::uint32_t* at = separators.data() + folder.partsAt;
    std::size_t parts = end - folder.partsAt;
    CCataloguePath path;
    path.title.assign(folderText.substr(0, at[0] - 1));
    path.names.reserve(parts);
    for (std::size_t i = 0; i + 1 < parts; ++i) {
        path.names.emplace_back(folderText.substr(at[i] + 1, at[i + 1] - at[i] - 1));
    }
    path.names.emplace_back(NameOf(record));
    return path;
}

Time64 CSearchResultList::GetTime(std::size_t row, int fieldId) const {
    const CRecord& record = RecordOf(row);
    switch (fieldId) {
        case FieldCreation:
            return record.times[0];
        case FieldModify:
            return record.times[1];
        case FieldAccess:
            return record.times[2];
        default:
            return 0;
    }
}

int CSearchResultList::ComparePaths(const CRecord& a, const CRecord& b) const {
    std::string_view folderA = FolderOf(a);
    std::string_view folderB = FolderOf(b);
    if (a.folder == b.folder) {
        return CompareBytes(NameOf(a), NameOf(b));
    }
    // Either folder path may end inside the other's name: compare the common start first.
    std::size_t common = std::min(folderA.size(), folderB.size());
    if (int order = CompareBytes(folderA.substr(0, common), folderB.substr(0, common))) {
        return order;
    }
    std::string_view restA = folderA.substr(common);
    std::string_view restB = folderB.substr(common);
    std::string_view nameA = NameOf(a);
    std::string_view nameB = NameOf(b);
    // One of the rests is empty: the other path goes on in its folder, this one in its name.
    if (restA.empty()) {
        std::size_t both = std::min(nameA.size(), restB.size());
        if (int order = CompareBytes(nameA.substr(0, both), restB.substr(0, both))) {
            return order;
        }
        if (nameA.size() <= restB.size()) {
            return -1;  // path A ends first, or where B's folder still goes on
        }
        return CompareBytes(nameA.substr(both), nameB);
    }
    std::size_t both = std::min(nameB.size(), restA.size());
    if (int order = CompareBytes(restA.substr(0, both), nameB.substr(0, both))) {
        return order;
    }
    if (nameB.size() <= restA.size()) {
        return 1;
    }
    return CompareBytes(nameA, nameB.substr(both));
}

void CSearchResultList::Sort(int fieldId) {
    auto less = [&](std::uint32_t a, std::uint32_t b) {
        const CRecord& ra = records[a];
        const CRecord& rb = records[b];
        int order = 0;
        switch (fieldId) {
            case FieldName:
                order = CompareBytes(NameOf(ra), NameOf(rb));
                break;
            case FieldPath:
                order = ComparePaths(ra, rb);
                break;
            case FieldType:
                // "File" before "Folder", as their names sort.
                order = CompareNumbers(ra.isFolder, rb.isFolder);
                break;
            case FieldCreation:
                order = CompareNumbers(ra.times[0], rb.times[0]);
                break;
            case FieldModify:
                order = CompareNumbers(ra.times[1], rb.times[1]);
                break;
            case FieldAccess:
                order = CompareNumbers(ra.times[2], rb.times[2]);
                break;
            default:
                break;
        }
        return order != 0 ? order < 0 : a < b;
    };
    std::sort(order.begin(), order.end(), less);
}

std::size_t CSearchResultList::RowOfArrival(std::size_t arrival) const {
    auto found = std::find(order.begin(), order.end(), static_cast<std::uint32_t>(arrival));
    return found == order.end() ? arrival : static_cast<std::size_t>(found - order.begin());
}

std::size_t CSearchResultList::GetMemoryUsed() const {
    return text.capacity() + folders.capacity() * sizeof(CFolder) +
           separators.capacity() * sizeof(std::uint32_t) + records.capacity() * sizeof(CRecord) +
           order.capacity() * sizeof(std::uint32_t);
}

std::string SearchCountText(std::size_t count) {
    return std::to_string(count) + " results";
}
