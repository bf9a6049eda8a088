// SPDX-License-Identifier: GPL-3.0-or-later
// The search over a collection's index files: folders and files whose names hold one of the
// words, of one type, on one disk, within an interval of one of their times. Each disk's
// index file is walked breadth first from its start; results go to the receiver one by one
// as they are found, and a stop test is asked every few thousand items so that a Stop arrives
// at once, whatever thread the search runs on.
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
    // Without a collection, only the Run given its disks finds anything.
    explicit CCollSearch(CCollection* collection = nullptr);

    // Takes `criteria` for Accept, with the words lowered once when case is ignored.
    void SetCriteria(const CCollSearchCriteria& criteria);
    bool Accept(const CCollDiskItem& item) const;
    // Searches the collection's chosen disks (ChooseSearchDisks), as Run below.
    void Run(const CCollSearchCriteria& criteria, CSearchResultReceiver& receiver,
             const std::function<bool()>& stopRequested = {});
    // Searches `disks`, handing each match to `receiver`. `stopRequested` (when set) is asked
    // every `stopCheckInterval` items and folders and between the reads of a file, and true
    // ends the run; it is also the place for progress reports. An index file that cannot be
    // read, or is damaged, throws CFileException after the engine is idle again; results
    // already delivered stay. Asked for while a run is in progress, it does nothing.
    void Run(const CCollSearchCriteria& criteria, const std::vector<CSearchDisk>& disks,
             CSearchResultReceiver& receiver, const std::function<bool()>& stopRequested = {});
    bool IsBusy() const { return busy; }
    const CCollSearchCriteria& GetCriteria() const { return criteria; }

    // Rare enough to cost the walk nothing, often enough that a Stop takes effect within a
    // few milliseconds even where names take the slow Unicode path.
    static constexpr unsigned stopCheckInterval = 4096;
    // Ends the run before its next item; for a receiver, on the run's own thread.
    void Stop() { proceed = false; }

private:
    friend class CIndexWalk;
    bool NameMatches(const char* name, std::size_t length) const;
    // Counts one item; false once the stop test has said stop.
    bool GoOn();

    CCollection* collection;
    CCollSearchCriteria criteria;
    // Set only while Run runs.
    CSearchResultReceiver* resultReceiver = nullptr;
    const std::function<bool()>* stopTest = nullptr;
    // Items left before the stop test is asked again.
    unsigned untilStopTest = 0;
    bool busy = false;
    bool proceed = true;
    // Matching case, only words beyond ASCII can be found in a name's bytes read as text.
    bool wordsBeyondAscii = false;
    mutable std::string loweredName;
};
