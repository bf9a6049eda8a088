// SPDX-License-Identifier: GPL-3.0-or-later
// The search over a collection's index files: folders and files whose names hold one of the
// words, of one type, on one disk, within an interval of one of their times. Each disk's
// index file is walked breadth first from its start; results go to the receiver one by one
// as they are found, and a pump runs after every item so that a Stop can arrive.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "helpers/coll_types.h"
#include "store/catalogue_path.h"
#include "store/coll_disk_item_type.h"

class CCollection;
class CCollDiskItem;

// What the receiver is given for each match; it lives only for the call, so copy it.
struct CCollSearchResult {
    const CCollDiskItemType* type = nullptr;
    CCataloguePath path;  // the item's own name last
    std::string name;
    Time64 creationTime = 0;
    Time64 modifyTime = 0;
    Time64 accessTime = 0;
    std::int32_t offset = 0;
};

class CSearchResultReceiver {
public:
    virtual ~CSearchResultReceiver() = default;
    virtual void OnSearchResult(const CCollSearchResult& result) = 0;
};

// What one search looks for. A value: the caller fills it and hands it to Run, which keeps
// its own copy for the run.
struct CCollSearchCriteria {
    // Appends the words of `text`, cut at blanks, tabs and line ends.
    void SetWords(const std::string& text);

    std::vector<std::string> words;           // as typed; empty: every name
    const CCollDiskItemType* type = nullptr;  // null: folders and files
    int scope = 1;                            // bit 0: match the words against names
    bool caseSensitive = false;
    int timeKind = -1;  // -1 none, 0 creation, 1 access, 2 modify
    Time64 timeFrom = 0;
    Time64 timeTo = 0;
    int diskIndex = -1;  // position of the only disk searched; -1 every disk
    // Read index files through a memory mapping instead of one read into memory; the caller
    // sets it from the "SearchWithMemoryMappedFile" setting.
    bool useMemoryMappedFile = false;
};

// A disk as a run sees it, taken from the collection when the run starts.
struct CSearchDisk {
    std::string title;
    std::string indexPath;
};

// The disks a run walks, in collection order: every one for -1, else the one at `diskIndex`
// (none when there is no such disk).
std::vector<CSearchDisk> ChooseSearchDisks(const CCollection& collection, int diskIndex);

class CCollSearch {
public:
    explicit CCollSearch(CCollection* collection);

    // Takes `criteria` for Accept, with the words lowered once when case is ignored.
    void SetCriteria(const CCollSearchCriteria& criteria);
    bool Accept(const CCollDiskItem& item) const;
    // Searches the chosen disks, handing each match to `receiver` and calling `pump` (when
    // set) after every item and every folder. The disks are taken when the run starts: each
    // is walked once, whatever becomes of the collection during the pumps. An index file
    // that cannot be read, or is damaged, throws CFileException after the engine is idle
    // again; results already delivered stay. Asked for while a run is in progress, it does
    // nothing.
    void Run(const CCollSearchCriteria& criteria, CSearchResultReceiver& receiver,
             const std::function<void()>& pump = {});
    // Ends a running search before its next item.
    void Stop() { proceed = false; }
    bool IsBusy() const { return busy; }
    const CCollSearchCriteria& GetCriteria() const { return criteria; }

private:
    friend class CIndexWalk;
    bool NameMatches(const char* name, std::size_t length) const;

    CCollection* collection;
    CCollSearchCriteria criteria;
    // Set only while Run runs.
    CSearchResultReceiver* resultReceiver = nullptr;
    const std::function<void()>* pump = nullptr;
    bool busy = false;
    bool proceed = true;
    // Matching case, only words beyond ASCII can be found in a name's bytes read as text.
    bool wordsBeyondAscii = false;
    mutable std::string loweredName;
};
