// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_result_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <stdexcept>

#include "search/coll_search.h"
#include "store/coll_disk_item_type.h"

namespace {

// Byte order as unsigned characters, as std::string_view compares.
int CompareBytes(std::string_view a, std::string_view b) {
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// A record's time field: these two values stand for an unknown time and for one that is kept
// whole in the side table; every other value is the time itself.
constexpr Time32 unknownTime32 = std::numeric_limits<Time32>::min();
constexpr Time32 wideTime32 = unknownTime32 + 1;

// Bounds of the 32-bit fields: reached only far past the memory of any machine, and then
// refused rather than wrapped.
constexpr std::size_t maxFolders = std::size_t{1} << 31;
constexpr std::size_t maxIndex = std::numeric_limits<std::uint32_t>::max();

void Refuse() {
    throw std::length_error("too many search results to keep");
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
    std::string_view folder = FolderText(last);
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

CSearchResultList::CTextChunk& CSearchResultList::ChunkWithRoom(std::size_t length) {
    if (!chunks.empty() && chunks.back().capacity - chunks.back().size >= length) {
        return chunks.back();
    }
    if (length > maxIndex || chunks.size() >= maxIndex) {
        Refuse();
    }
    CTextChunk chunk;
    chunk.capacity = std::max(textChunkSize, length);
    chunk.bytes = std::make_shared_for_overwrite<char[]>(chunk.capacity);
    chunks.push_back(std::move(chunk));
    return chunks.back();
}

void CSearchResultList::AddFolder(const CCataloguePath& path, std::size_t room) {
    std::size_t length = path.title.size() + 2;
    for (std::size_t i = 0; i + 1 < path.names.size(); ++i) {
        length += path.names[i].size() + 1;
    }
    if (folders.size() >= maxFolders || separators.size() + path.names.size() > maxIndex ||
        length > maxIndex - room) {
        Refuse();
    }
    CTextChunk& chunk = ChunkWithRoom(length + room);
    CFolder folder{static_cast<std::uint32_t>(chunks.size() - 1),
                   static_cast<std::uint32_t>(chunk.size), static_cast<std::uint32_t>(length),
                   static_cast<std::uint32_t>(separators.size())};
    char* start = chunk.bytes.get() + chunk.size;
    char* out = start;
    auto put = [&out](std::string_view bytes) {
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
    };
    put(path.title);
    put(":");
    for (std::size_t i = 0; i + 1 < path.names.size(); ++i) {
        separators.push_back(static_cast<std::uint32_t>(out - start));
        put("\\");
        put(path.names[i]);
    }
    separators.push_back(static_cast<std::uint32_t>(out - start));
    put("\\");
    chunk.size += length;
    folders.push_back(folder);
}

void CSearchResultList::Add(const CCollSearchResult& result) {
    const CCataloguePath& path = result.path;
    if (path.names.empty()) {
        return;
    }
    if (count >= maxIndex) {
        Refuse();
    }
    const std::string& name = path.names.back();
    // Results come folder by folder: a folder's path is laid once for all its items that
    // fit in its chunk.
    if (!IsLastFolder(path) || chunks.back().capacity - chunks.back().size < name.size()) {
        AddFolder(path, name.size());
    }
    if (count % recordsPerBlock == 0) {
        recordBlocks.push_back(std::make_shared_for_overwrite<CRecord[]>(recordsPerBlock));
    }
    CTextChunk& chunk = chunks.back();
    CRecord& record = recordBlocks.back()[count % recordsPerBlock];
    record.nameAt = static_cast<std::uint32_t>(chunk.size);
    record.folderAndType = static_cast<std::uint32_t>((folders.size() - 1) << 1) |
                           (result.type == &CCollDiskItemType::folderType ? 1u : 0u);
    const Time64 times[3] = {result.creationTime, result.modifyTime, result.accessTime};
    for (std::size_t which = 0; which < 3; ++which) {
        Time64 time = times[which];
        if (time == unknownTime) {
            record.times[which] = unknownTime32;
        } else if (time > wideTime32 && time <= std::numeric_limits<Time32>::max()) {
            record.times[which] = static_cast<Time32>(time);
        } else {
            record.times[which] = wideTime32;
            wideTimes.push_back(
                {static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(which), time});
        }
    }
    std::memcpy(chunk.bytes.get() + chunk.size, name.data(), name.size());
    chunk.size += name.size();
    ++count;
}

void CSearchResultList::Append(CSearchResultList&& batch) {
    if (batch.count == 0) {
        return;
    }
    if (batch.count > maxIndex - count || batch.folders.size() > maxFolders - folders.size() ||
        batch.separators.size() > maxIndex - separators.size() ||
        batch.chunks.size() > maxIndex - chunks.size()) {
        Refuse();
    }
    // The batch's last chunk is mostly room: kept as it is, a batch every few milliseconds
    // would cost more memory than its results.
    CTextChunk& last = batch.chunks.back();
    if (last.capacity - last.size > last.size) {
        auto tight = std::make_shared_for_overwrite<char[]>(std::max<std::size_t>(last.size, 1));
        std::memcpy(tight.get(), last.bytes.get(), last.size);
        last.bytes = std::move(tight);
        last.capacity = last.size;
    }
    const auto chunkBase = static_cast<std::uint32_t>(chunks.size());
    const auto partsBase = static_cast<std::uint32_t>(separators.size());
    const auto folderBase = static_cast<std::uint32_t>(folders.size());
    for (CTextChunk& chunk : batch.chunks) {
        chunks.push_back(std::move(chunk));
    }
    for (CFolder folder : batch.folders) {
        folder.chunk += chunkBase;
        folder.partsAt += partsBase;
        folders.push_back(folder);
    }
    separators.insert(separators.end(), batch.separators.begin(), batch.separators.end());
    for (CWideTime wide : batch.wideTimes) {
        wide.arrival += static_cast<std::uint32_t>(count);
        wideTimes.push_back(wide);
    }
    for (std::size_t at = 0; at < batch.count; ++at) {
        if (count % recordsPerBlock == 0) {
            recordBlocks.push_back(std::make_shared_for_overwrite<CRecord[]>(recordsPerBlock));
        }
        CRecord record = batch.Record(at);
        record.folderAndType += folderBase << 1;
        recordBlocks.back()[count % recordsPerBlock] = record;
        ++count;
    }
    batch.Clear();
}

void CSearchResultList::Clear() {
    // The memory goes back too: the last search may have been a large one.
    count = 0;
    std::vector<CTextChunk>().swap(chunks);
    std::vector<CFolder>().swap(folders);
    std::vector<std::uint32_t>().swap(separators);
    std::vector<std::shared_ptr<CRecord[]>>().swap(recordBlocks);
    std::vector<CWideTime>().swap(wideTimes);
    std::vector<std::uint32_t>().swap(order);
}

std::string_view CSearchResultList::FolderText(const CFolder& folder) const {
    return {chunks[folder.chunk].bytes.get() + folder.at, folder.length};
}

std::string_view CSearchResultList::NameOf(std::size_t arrival) const {
    const CRecord& record = Record(arrival);
    std::uint32_t folderIndex = record.folderAndType >> 1;
    const CTextChunk& chunk = chunks[folders[folderIndex].chunk];
    std::size_t end = chunk.size;
    if (arrival + 1 < count) {
        const CRecord& next = Record(arrival + 1);
        std::uint32_t nextFolder = next.folderAndType >> 1;
        if (nextFolder == folderIndex) {
            end = next.nameAt;
        } else if (folders[nextFolder].chunk == folders[folderIndex].chunk) {
            end = folders[nextFolder].at;
        }
    }
    return {chunk.bytes.get() + record.nameAt, end - record.nameAt};
}

Time64 CSearchResultList::TimeOf(std::size_t arrival, std::size_t which) const {
    Time32 stored = Record(arrival).times[which];
    if (stored == unknownTime32) {
        return unknownTime;
    }
    if (stored != wideTime32) {
        return stored;
    }
    auto found = std::lower_bound(
        wideTimes.begin(), wideTimes.end(), std::pair(arrival, which),
        [](const CWideTime& wide, std::pair<std::size_t, std::size_t> key) {
            return std::pair<std::size_t, std::size_t>(wide.arrival, wide.which) < key;
        });
    return found->time;
}

int CSearchResultList::CompareTimes(std::size_t a, std::size_t b, std::size_t which) const {
    Time32 storedA = Record(a).times[which];
    Time32 storedB = Record(b).times[which];
    // The unknown marker is the smallest value in both forms, as unknownTime is.
    if (storedA != wideTime32 && storedB != wideTime32) {
        return CompareNumbers(storedA, storedB);
    }
    return CompareNumbers(TimeOf(a, which), TimeOf(b, which));
}

const CCollDiskItemType& CSearchResultList::GetType(std::size_t row) const {
    return (Record(ArrivalOfRow(row)).folderAndType & 1u) != 0 ? CCollDiskItemType::folderType
                                                               : CCollDiskItemType::fileType;
}

std::string_view CSearchResultList::GetName(std::size_t row) const {
    return NameOf(ArrivalOfRow(row));
}

std::string CSearchResultList::GetPath(std::size_t row) const {
    std::size_t arrival = ArrivalOfRow(row);
    std::string path(FolderText(FolderOfArrival(arrival)));
    path.append(NameOf(arrival));
    return path;
}

CCataloguePath CSearchResultList::GetCataloguePath(std::size_t row) const {
    std::size_t arrival = ArrivalOfRow(row);
    std::size_t folderIndex = Record(arrival).folderAndType >> 1;
    const CFolder& folder = folders[folderIndex];
    std::string_view folderText = FolderText(folder);
    std::size_t end =
        folderIndex + 1 < folders.size() ? folders[folderIndex + 1].partsAt : separators.size();
    const std::uint32_t* at = separators.data() + folder.partsAt;
    std::size_t parts = end - folder.partsAt;
    CCataloguePath path;
    path.title.assign(folderText.substr(0, at[0] - 1));
    path.names.reserve(parts);
    for (std::size_t i = 0; i + 1 < parts; ++i) {
        path.names.emplace_back(folderText.substr(at[i] + 1, at[i + 1] - at[i] - 1));
    }
    path.names.emplace_back(NameOf(arrival));
    return path;
}

Time64 CSearchResultList::GetTime(std::size_t row, int fieldId) const {
    std::size_t arrival = ArrivalOfRow(row);
    switch (fieldId) {
        case FieldCreation:
            return TimeOf(arrival, 0);
        case FieldModify:
            return TimeOf(arrival, 1);
        case FieldAccess:
            return TimeOf(arrival, 2);
        default:
            return 0;
    }
}

int CSearchResultList::ComparePaths(std::size_t a, std::size_t b) const {
    std::string_view nameA = NameOf(a);
    std::string_view nameB = NameOf(b);
    if ((Record(a).folderAndType >> 1) == (Record(b).folderAndType >> 1)) {
        return CompareBytes(nameA, nameB);
    }
    std::string_view folderA = FolderText(FolderOfArrival(a));
    std::string_view folderB = FolderText(FolderOfArrival(b));
    // Either folder path may end inside the other's name: compare the common start first.
    std::size_t common = std::min(folderA.size(), folderB.size());
    if (int order = CompareBytes(folderA.substr(0, common), folderB.substr(0, common))) {
        return order;
    }
    std::string_view restA = folderA.substr(common);
    std::string_view restB = folderB.substr(common);
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

namespace {

// Thrown out of std::sort by a comparison that found the sort stopped.
struct CSortStopped {};

// How many comparisons go between two looks at the stop test.
constexpr unsigned comparisonsPerStopTest = 1u << 14;

}  // namespace

std::vector<std::uint32_t> CSearchResultList::SortedRows(
    int fieldId, const std::function<bool()>& stopped) const {
    unsigned untilStopTest = comparisonsPerStopTest;
    auto less = [&](std::uint32_t a, std::uint32_t b) {
        if (stopped && --untilStopTest == 0) {
            untilStopTest = comparisonsPerStopTest;
            if (stopped()) {
                throw CSortStopped();
            }
        }
        int order = 0;
        switch (fieldId) {
            case FieldName:
                order = CompareBytes(NameOf(a), NameOf(b));
                break;
            case FieldPath:
                order = ComparePaths(a, b);
                break;
            case FieldType:
                // "File" before "Folder", as their names sort.
                order = CompareNumbers(Record(a).folderAndType & 1u, Record(b).folderAndType & 1u);
                break;
            case FieldCreation:
                order = CompareTimes(a, b, 0);
                break;
            case FieldModify:
                order = CompareTimes(a, b, 1);
                break;
            case FieldAccess:
                order = CompareTimes(a, b, 2);
                break;
            default:
                break;
        }
        return order != 0 ? order < 0 : a < b;
    };
    // Ties fall to arrival order, so the rows before the sort do not matter: every result
    // is sorted afresh, in a vector of just the right size.
    std::vector<std::uint32_t> rows(count);
    std::iota(rows.begin(), rows.end(), 0u);
    try {
        std::sort(rows.begin(), rows.end(), less);
    } catch (const CSortStopped&) {
        return {};
    }
    return rows;
}

void CSearchResultList::Sort(int fieldId) {
    order = SortedRows(fieldId, {});
}

CSearchResultList::Sorter CSearchResultList::MakeSorter(int fieldId) const {
    // The copy holds the results so far, whatever becomes of this list meanwhile.
    std::shared_ptr<const CSearchResultList> copy(new CSearchResultList(*this));
    return [copy, fieldId](const std::function<bool()>& stopped) {
        return copy->SortedRows(fieldId, stopped);
    };
}

void CSearchResultList::SetOrder(std::vector<std::uint32_t> rows) {
    if (rows.size() <= count) {
        order = std::move(rows);
    }
}

std::size_t CSearchResultList::RowOfArrival(std::size_t arrival) const {
    if (arrival >= order.size()) {
        return arrival;
    }
    auto found = std::find(order.begin(), order.end(), static_cast<std::uint32_t>(arrival));
    return found == order.end() ? arrival : static_cast<std::size_t>(found - order.begin());
}

std::size_t CSearchResultList::GetMemoryUsed() const {
    std::size_t text = chunks.capacity() * sizeof(CTextChunk);
    for (const CTextChunk& chunk : chunks) {
        text += chunk.capacity;
    }
    return text + folders.capacity() * sizeof(CFolder) +
           separators.capacity() * sizeof(std::uint32_t) +
           recordBlocks.capacity() * sizeof(recordBlocks[0]) +
           recordBlocks.size() * recordsPerBlock * sizeof(CRecord) +
           wideTimes.capacity() * sizeof(CWideTime) + order.capacity() * sizeof(std::uint32_t);
}

std::string SearchCountText(std::size_t count) {
    return std::to_string(count) + " results";
}
