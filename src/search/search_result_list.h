// SPDX-License-Identifier: GPL-3.0-or-later
// The results of one search as the results table keeps them: millions of them in little
// memory (the names in one text block, each folder's path once for all its items, with where
// its names begin), shown in arrival order or sorted by a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/coll_types.h"
#include "store/catalogue_path.h"

struct CCollSearchResult;
class CCollDiskItemType;

class CSearchResultList {
public:
    CSearchResultList() = default;
    CSearchResultList(CSearchResultList&&) = default;
    CSearchResultList& operator=(CSearchResultList&&) = default;
    CSearchResultList& operator=(const CSearchResultList&) = delete;

    void Add(const CCollSearchResult& result);
    // Takes the results of `batch` after these, in time proportional to the batch: its text
    // moves over as it is, its records are copied. A sort of the batch is not kept.
    void Append(CSearchResultList&& batch);
    void Clear();

    // Rows are in the order shown: arrival order, or the last sort's, with results that
    // arrived after the sort below the sorted ones.
    std::size_t GetCount() const { return count; }
    const CCollDiskItemType& GetType(std::size_t row) const;
    std::string_view GetName(std::size_t row) const;
    // The catalogue path as shown: Title:\Folder\name.
    std::string GetPath(std::size_t row) const;
    // The catalogue path with its names apart, which leads back to the item.
    CCataloguePath GetCataloguePath(std::size_t row) const;
    // The creation, access or modify time, by field id.
    Time64 GetTime(std::size_t row, int fieldId) const;

    // Sorts ascending by the field: names, paths and type names byte by byte, times as
    // numbers. Results that compare equal keep their arrival order, so a sort is repeatable.
    void Sort(int fieldId);
    // A sort to run off the window's thread over the results as they are now: the returned
    // work reads its own copy of the list, sharing the text and the records, which never move
    // and are never written again, and gives the rows for SetOrder (none when `stopped` said
    // stop, which it is asked every few thousand comparisons).
    using Sorter = std::function<std::vector<std::uint32_t>(const std::function<bool()>& stopped)>;
    Sorter MakeSorter(int fieldId) const;
    // Shows the first `rows.size()` results in that order (arrival numbers), the ones that
    // arrived after them below.
    void SetOrder(std::vector<std::uint32_t> rows);
    // The row that shows the result shown at `row` before the last sort; `row` itself when
    // none was made since.
    std::size_t RowOfArrival(std::size_t arrival) const;
    std::size_t ArrivalOfRow(std::size_t row) const {
        return row < order.size() ? order[row] : row;
    }

    // Bytes held, for measuring.
    std::size_t GetMemoryUsed() const;

private:
    // Text is kept in chunks that never move, so a growing search copies nothing; a folder's
    // path and the names of its results share one chunk, and a folder is laid again when its
    // names go on in the next one.
    struct CTextChunk {
        // Shared with the copies the sorts read.
        std::shared_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };
    // A folder's path "Title:\A\B\" in a chunk, and its first entry in `separators`.
    struct CFolder {
        std::uint32_t chunk;
        std::uint32_t at;
        std::uint32_t length;
        std::uint32_t partsAt;
    };
    // 20 bytes: a name ends where the next thing laid in its chunk begins, and the 32-bit
    // times send the rare ones outside 1901..2038 to `wideTimes`.
    struct CRecord {
        std::uint32_t nameAt;         // in its folder's chunk
        std::uint32_t folderAndType;  // folder index << 1, then 1 for a folder
        Time32 times[3];              // creation, modify, access
    };
    struct CWideTime {
        std::uint32_t arrival;
        std::uint32_t which;
        Time64 time;
    };

    // For MakeSorter alone: a copy that shares the text and the records is read, never added to.
    CSearchResultList(const CSearchResultList&) = default;
    // The arrival numbers of every result in sorted order; empty when stopped.
    std::vector<std::uint32_t> SortedRows(int fieldId, const std::function<bool()>& stopped) const;

    // The result's folder is the one added last.
    bool IsLastFolder(const CCataloguePath& path) const;
    void AddFolder(const CCataloguePath& path, std::size_t room);
    // Room for `length` more bytes in the last chunk, a new chunk if there is none.
    CTextChunk& ChunkWithRoom(std::size_t length);
    const CRecord& Record(std::size_t arrival) const {
        return recordBlocks[arrival / recordsPerBlock][arrival % recordsPerBlock];
    }
    const CFolder& FolderOfArrival(std::size_t arrival) const {
        return folders[Record(arrival).folderAndType >> 1];
    }
    std::string_view FolderText(const CFolder& folder) const;
    std::string_view NameOf(std::size_t arrival) const;
    Time64 TimeOf(std::size_t arrival, std::size_t which) const;
    int CompareTimes(std::size_t a, std::size_t b, std::size_t which) const;
    // Compares the catalogue paths of two results without putting them together.
    int ComparePaths(std::size_t a, std::size_t b) const;

    static constexpr std::size_t recordsPerBlock = 32768;
    static constexpr std::size_t textChunkSize = 1 << 20;

    std::size_t count = 0;
    std::vector<CTextChunk> chunks;
    std::vector<CFolder> folders;
    // For each folder in turn, where in its path the backslash before each name stands
    // (the item's name included); a name may hold a backslash, so its text cannot say.
    std::vector<std::uint32_t> separators;
    // Records in arrival order, in blocks that never move.
    std::vector<std::shared_ptr<CRecord[]>> recordBlocks;
    // Times that do not fit a record's field, by arrival and field, in arrival order.
    std::vector<CWideTime> wideTimes;
    // The rows of the last sort; rows past its end show the results that arrived after it.
    std::vector<std::uint32_t> order;
};

// The count pane's text: "%d results".
std::string SearchCountText(std::size_t count);
