// SPDX-License-Identifier: GPL-3.0-or-later
// What the search panel's fields mean: the choices its lists offer, and the criteria a search
// runs with, taken from what the user chose. The panel only shows and reads the fields.
#pragma once

#include <string>
#include <vector>

#include "search/coll_search.h"

class CCollection;
class CCollDiskItemType;

struct CSearchDay {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;
};

// The fields of the two criteria pages.
struct CSearchForm {
    std::string words;
    // The title chosen in the disk list; empty for "All".
    std::string diskTitle;
    const CCollDiskItemType* type = nullptr;  // null: "All"
    bool caseSensitive = false;
    int timeKind = -1;  // the chosen time item's value; -1 "All time"
    CSearchDay from;
    CSearchDay to;
};

struct CSearchChoice {
    std::string text;
    int value;
};

// The time list, in the order shown: "All time" (-1) and the three intervals, each with the
// timeKind it stands for.
const std::vector<CSearchChoice>& GetTimeChoices();
// The type list, in the order shown: "All", "File", "Folder"; null stands for "All".
std::vector<std::pair<std::string, const CCollDiskItemType*>> GetTypeChoices();
// The disk list, in the order shown: "All", then the disks' titles in collection order.
std::vector<std::string> GetDiskChoices(const CCollection& collection);

// Whether the form asks for anything: a word, a disk, a type or an interval. A search as you
// type starts only for such a form; clearing the words clears the results instead of
// listing every item.
bool FormNarrowsSearch(const CSearchForm& form);

// The criteria of a search of `collection`. The interval runs from the first second of the
// From day to the last second of the To day, local time. A disk title that is no longer in
// the collection finds nothing rather than searching every disk.
CCollSearchCriteria MakeSearchCriteria(const CSearchForm& form, const CCollection& collection,
                                       bool useMemoryMappedFile);
