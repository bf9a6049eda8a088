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
#include "store/coll_disk_item_type.h"

class CCollection;
class CCollDiskItem;

// What the receiver is given for each match; it lives only for the call, so copy it.
struct CCollSearchResult {
    const CCollDiskItemType* type = nullptr;
    std::string path;  // catalogue path: Title:\Folder\name, folders without a trailing "\"
    // Where in `path` the backslashes before each name stand: a name may hold a backslash
    // of its own, so the path alone cannot be split.
    std::vector<std::size_t> separators;
    std::string name;
    Time32 creationTime = 0;
    Time32 modifyTime = 0;
    Time32 accessTime = 0;
    std::int32_t offset = 0;
};

class CSearchResultReceiver {
public:
    virtual ~CSearchResultReceiver() = default;
    virtual void OnSearchResult(const CCollSearchResult& result) = 0;
};

class CCollSearch {
public:
    explicit CCollSearch(CCollection* collection);

    // Back to "everything on every disk", keeping the time interval, receiver and pump.
    void Reset();
    void SetType(const CCollDiskItemType* type) { typeFilter = type; }
    // Appends the words of `text`, cut at blanks, tabs and line ends.
    void SetWords(const std::string& text);
    // Lowers the words once, when the search ignores case.
    void PrepareWords();
    bool Accept(const CCollDiskItem& item) const;
    // Searches the chosen disks. An index file that cannot be read, or is damaged, throws
    // CFileException after the engine is idle again; results already delivered stay.
    void Run();
    // Ends a running search before its next item.
    void Stop() { proceed = false; }
    bool IsBusy() const { return busy; }

    const CCollDiskItemType* typeFilter = nullptr;
    int scope = 1;
    bool caseSensitive = false;
    std::vector<std::string> words;
    int timeKind = -1;  // -1 none, 0 creation, 1 access, 2 modify
    Time32 timeFrom = 0;
    Time32 timeTo = 0;
    CSearchResultReceiver* resultReceiver = nullptr;
    // Called after every item and every folder while pumpMessages is set.
    std::function<void()> pump;
    bool pumpMessages = true;
    int diskIndex = -1;
    // Read index files through a memory mapping instead of one read into memory; the caller
    // sets it from the "SearchWithMemoryMappedFile" setting before each run.
    bool useMemoryMappedFile = false;

private:
    friend class CIndexWalk;
    bool AcceptRecord(const CCollDiskItemType* type, const char* name, std::size_t nameLength,
                      const Time32 times[3]) const;
    bool NameMatches(const char* name, std::size_t length) const;

    CCollection* collection;
    bool busy = false;
    bool proceed = true;
    mutable std::string loweredName;
};
