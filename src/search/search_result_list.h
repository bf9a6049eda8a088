// SPDX-License-Identifier: GPL-3.0-or-later
// The results of one search as the results table keeps them: millions of them in little
// memory (the names in one text block, each folder's path once for all its items, with where
// its names begin), shown in arrival order or sorted by a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/coll_types.h"
#include "store/catalogue_path.h"

struct CCollSearchResult;
class CCollDiskItemType;

class CSearchResultList {
public:
    void Add(const CCollSearchResult& result);
    void Clear();

    // Rows are in the order shown: arrival order, or the last sort's, with results that
    // arrived after the sort below the sorted ones.
    std::size_t GetCount() const { return order.size(); }
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
    // The row that shows the result shown at `row` before the last sort; `row` itself when
    // none was made since.
    std::size_t RowOfArrival(std::size_t arrival) const;
    std::size_t ArrivalOfRow(std::size_t row) const { return order[row]; }

    // Bytes held, for measuring.
    std::size_t GetMemoryUsed() const;

private:
    // A folder's path "Title:\A\B\" in `text`, and its first entry in `separators`.
    struct CFolder {
        std::uint64_t at;
        std::uint32_t length;
        std::uint32_t partsAt;
    };
    struct CRecord {
        std::uint64_t nameAt;
        std::uint32_t folder;
        std::uint32_t nameLength;
        Time64 times[3];  // creation, modify, access
        bool isFolder;
    };

    // The result's folder is the one added last.
    bool IsLastFolder(const CCataloguePath& path) const;
    const CRecord& RecordOf(std::size_t row) const { return records[order[row]]; }
    std::string_view FolderOf(const CRecord& record) const;
    std::string_view NameOf(const CRecord& record) const;
    // Compares the catalogue paths of two records without putting them together.
    int ComparePaths(const CRecord& a, const CRecord& b) const;

    std::string text;
    std::vector<CFolder> folders;
    // For each folder in turn, where in its path the backslash before each name stands
    // (the item's name included); a name may hold a backslash, so its text cannot say.
    std::vector<std::uint32_t> separators;
    std::vector<CRecord> records;
    std::vector<std::uint32_t> order;
};

// The count pane's text: "%d results".
std::string SearchCountText(std::size_t count);
