// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/coll_search.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/mem_map_file.h"
#include "platform/name_text.h"
#include "search/text_lower.h"
#include "store/coll_disk_header.h"
#include "store/coll_disk_item.h"
#include "store/collection.h"
#include "store/index_layout.h"

namespace {

// 8 bytes as one number, the first byte lowest, whatever the machine's byte order.
std::uint64_t LoadLe64(const unsigned char* p) {
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap64(value);
    }
    return value;
}

constexpr std::uint64_t ones = 0x0101010101010101ULL;
constexpr std::uint64_t highBits = 0x8080808080808080ULL;

// Lowers 'A' to 'Z' among eight bytes at once. No sum below carries out of a byte under 0x80,
// so each such byte's top bit tells whether it was at least 'A' or above 'Z'; a byte of
// 0x80 or more can only disturb the bytes above it.
std::uint64_t LowerAscii8(std::uint64_t chunk) {
    std::uint64_t atLeastA = chunk + ones * (0x80 - 'A');
    std::uint64_t aboveZ = chunk + ones * (0x80 - 'Z' - 1);
    return chunk | ((atLeastA & ~aboveZ & highBits) >> 2);
}

// The matchers below read whole 8-byte words, so up to 8 bytes past a name's end must be
// readable. In an index file a record's times follow its name; elsewhere the name is copied.
bool IsAscii(const unsigned char* name, std::size_t length) {
    std::uint64_t seen = 0;
    std::size_t at = 0;
    for (; at + 8 <= length; at += 8) {
        seen |= LoadLe64(name + at);
    }
    if (at < length) {
        seen |= LoadLe64(name + at) & ((std::uint64_t{1} << (8 * (length - at))) - 1);
    }
    return (seen & highBits) == 0;
}

// Whether the name holds `word`, with the name's ASCII letters lowered when `lower` is set
// (the word is lowered already). The first and the last byte of the word are compared at
// eight places at once, and only places where both agree are compared in full. Names are
// short, so this beats a general search, which spends longer setting up than a name takes.
bool ContainsWord(const unsigned char* name, std::size_t length, const std::string& word,
                  bool lower) {
    std::size_t wordLength = word.size();
    if (wordLength == 0) {
        return true;
    }
    if (wordLength > length) {
        return false;
    }
    const auto* needle = reinterpret_cast<const unsigned char*>(word.data());
    std::uint64_t first = ones * needle[0];
    std::uint64_t last = ones * needle[wordLength - 1];
    std::size_t places = length - wordLength + 1;
    for (std::size_t at = 0; at < places; at += 8) {
        std::uint64_t head = LoadLe64(name + at);
        std::uint64_t tail = LoadLe64(name + at + wordLength - 1);
        if (lower) {
            head = LowerAscii8(head);
            tail = LowerAscii8(tail);
        }
        // A zero byte wherever both the first and the last byte of the word agree.
        std::uint64_t differ = (head ^ first) | (tail ^ last);
        std::uint64_t found = (differ - ones) & ~differ & highBits;
        if (places - at < 8) {
            found &= (std::uint64_t{1} << (8 * (places - at))) - 1;
        }
        // A borrow can mark a byte above a true zero too: every candidate is checked.
        while (found != 0) {
            const unsigned char* place =
                name + at + static_cast<std::size_t>(__builtin_ctzll(found)) / 8;
            std::size_t i = 0;
            if (lower) {
                // LowerAscii written out: the round trip through char costs the matcher 4 %.
                while (i < wordLength &&
                       (place[i] >= 'A' && place[i] <= 'Z' ? place[i] + 32 : place[i]) ==
                           needle[i]) {
                    ++i;
                }
            } else {
                i = std::memcmp(place, needle, wordLength) == 0 ? wordLength : 0;
            }
            if (i == wordLength) {
                return true;
            }
            found &= found - 1;
        }
    }
    return false;
}

// Whether any word is held by `text`, the whole name as the user reads it.
bool TextHoldsAWord(const std::vector<std::string>& words, const std::string& text) {
    for (const std::string& word : words) {
        if (::memmem(text.data(), text.size(), word.data(), word.size()) != nullptr) {
            return true;
        }
    }
    return false;
}

// The name test of a search, for a name with 8 readable bytes after it. Ignoring case, an
// ASCII name is lowered on the fly as LowerText would lower it; any other takes LowerText.
// Matching case, the bytes are compared as they lie: only a name that is not UTF-8 reads
// otherwise than its bytes, and only words beyond ASCII can tell the difference.
bool NameHoldsAWord(const std::vector<std::string>& words, bool caseSensitive,
                    bool wordsBeyondAscii, const unsigned char* name, std::size_t length,
                    std::string& text) {
    if (caseSensitive || IsAscii(name, length)) {
        for (const std::string& word : words) {
            if (ContainsWord(name, length, word, !caseSensitive)) {
                return true;
            }
        }
        if (!caseSensitive || !wordsBeyondAscii) {
            return false;
        }
        std::string_view bytes(reinterpret_cast<const char*>(name), length);
        if (IsAscii(name, length) || IsValidUtf8(bytes)) {
            return false;
        }
        text.clear();
        AppendNameText(bytes, text);
        return TextHoldsAWord(words, text);
    }
    LowerText(std::string_view(reinterpret_cast<const char*>(name), length), text);
    return TextHoldsAWord(words, text);
}

// Whether an item is a match, with its times (by CCollDiskItem::TimeKind) and the name test
// left to the caller: most items are decided before either is asked for.
template <class TimeOf, class NameTest>
[[gnu::always_inline]] inline bool AcceptItem(const CCollSearchCriteria& criteria,
                                              const CCollDiskItemType* type, const TimeOf& timeOf,
                                              const NameTest& nameMatches) {
    if (criteria.type != nullptr && criteria.type != type) {
        return false;
    }
    if (criteria.timeKind != -1) {
        Time64 time = criteria.timeKind >= 0 && criteria.timeKind <= 2 ? timeOf(criteria.timeKind)
                                                                       : CurrentTime();
        // A time never known: no interval holds it, whatever the zone makes of the bounds.
        if (time == unknownTime || time < criteria.timeFrom || time > criteria.timeTo) {
            return false;
        }
    }
    if (criteria.words.empty()) {
        return true;
    }
    return (criteria.scope & 1) != 0 && nameMatches();
}

// Appends `count` bytes. Kept out of line on purpose: inlined where the compiler can see that
// a name is shorter than 256 bytes, the copy becomes `rep movsq`, whose start-up alone costs
// more than the rest of a search takes per item.
[[gnu::noipa]] void AppendBytes(std::string& to, const std::uint8_t* from, std::size_t count) {
    to.append(reinterpret_cast<const char*>(from), count);
}

}  // namespace

// One walk over one index file in memory, breadth first, with the layout's own readers and
// damage rules.
class CIndexWalk {
public:
    CIndexWalk(CCollSearch& search, const std::uint8_t* data, std::uint64_t size,
               const std::string& title, const std::string& fileName)
        : search(search), bytes(data, size, fileName), data(data), title(title) {}

    void Walk();

private:
    struct Folder {
        std::uint32_t end;
        std::uint32_t tableAt;
        std::int32_t parent;
        std::uint32_t nameAt;
        std::uint8_t nameLength;
    };

    // Tests and reports the entries of the table just read; false when a stop was requested.
    bool HandleChildren(std::int32_t parent);
    // Inlined into the loop over a table: called once per item, it is half of a search.
    [[gnu::always_inline]] bool Handle(const CCollDiskItemType* type, const CIndexRecord& record,
                                       std::uint32_t offset, std::int32_t parent);
    void BuildPrefix(std::int32_t folder);
    // The full times of the record at `offset`, which holds -1 or 0 in a time field.
    [[gnu::noinline]] const Time64* FindFullTimes(const CIndexRecord& record, std::uint32_t offset,
                                                  Time64 times[3]) const;

    CCollSearch& search;
    CIndexBytes bytes;
    const std::uint8_t* data;
    const std::string& title;
    std::vector<Folder> folders;  // queued in the order they are met: the walk's queue
    CIndexTable table;
    std::vector<std::int32_t> chain;
    // The result's path starts with the path of the folder whose children are being handled,
    // made only when one of them is a result, since most folders have none.
    CCollSearchResult result;
    bool prefixReady = false;
    // The extension lists full times for some records: those whose fields hold -1 or 0.
    bool listsTimes = false;
};

const Time64* CIndexWalk::FindFullTimes(const CIndexRecord& record, std::uint32_t offset,
                                        Time64 times[3]) const {
    if (!TakeFullTimes(bytes.Extension(), offset, record.times, times)) {
        bytes.ThrowDamaged();
    }
    return times;
}

void CIndexWalk::BuildPrefix(std::int32_t folder) {
    chain.clear();
    for (std::int32_t at = folder; at >= 0; at = folders[static_cast<std::size_t>(at)].parent) {
        chain.push_back(at);
    }
    CCataloguePath& path = result.path;
    path.title.assign(title);
    // Resized, not cleared, so that the names keep their memory from folder to folder.
    path.names.resize(chain.size() + 1);
    std::size_t at = 0;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it, ++at) {
        const Folder& link = folders[static_cast<std::size_t>(*it)];
        path.names[at].clear();
        AppendBytes(path.names[at], data + link.nameAt, link.nameLength);
    }
    prefixReady = true;
}

inline bool CIndexWalk::Handle(const CCollDiskItemType* type, const CIndexRecord& record,
                               std::uint32_t offset, std::int32_t parent) {
    // The record's times follow its name, so the name can be matched where it lies.
    const std::uint8_t* name = record.name;
    const CCollSearchCriteria& criteria = search.criteria;
    Time64 full[3];
    const Time64* fullTimes = nullptr;
    if (listsTimes && HasOddTimeField(record)) [[unlikely]] {
        fullTimes = FindFullTimes(record, offset, full);
    }
    auto timeOf = [&](int kind) {
        return fullTimes != nullptr ? fullTimes[kind] : FromTime32(record.times[kind]);
    };
    if (AcceptItem(criteria, type, timeOf, [&] {
            return NameHoldsAWord(criteria.words, criteria.caseSensitive, search.wordsBeyondAscii,
                                  name, record.nameLength, search.loweredName);
        })) {
        if (!prefixReady) {
            BuildPrefix(parent);
        }
        result.type = type;
        std::string& last = result.path.names.back();
        last.clear();
        AppendBytes(last, name, record.nameLength);
        result.name.clear();
        AppendBytes(result.name, name, record.nameLength);
        result.creationTime = timeOf(CCollDiskItem::timeCreation);
        result.modifyTime = timeOf(CCollDiskItem::timeModify);
        result.accessTime = timeOf(CCollDiskItem::timeAccess);
        result.offset = static_cast<std::int32_t>(offset);
        search.resultReceiver->OnSearchResult(result);
    }
    return search.GoOn();
}

bool CIndexWalk::HandleChildren(std::int32_t parent) {
    prefixReady = false;
    for (std::size_t i = 0; i < table.folderCount; ++i) {
        CIndexRecord record = ReadIndexRecord(bytes, table, i);
        folders.push_back(Folder{table.EntryEnd(i), record.next, parent,
                                 static_cast<std::uint32_t>(record.name - data),
                                 record.nameLength});
        if (!Handle(&CCollDiskItemType::folderType, record, table.offsets[i], parent)) {
            return false;
        }
    }
    for (std::size_t i = table.folderCount; i < table.Size(); ++i) {
        if (!Handle(&CCollDiskItemType::fileType, ReadIndexRecord(bytes, table, i),
                    table.offsets[i], parent)) {
            return false;
        }
    }
    return true;
}

void CIndexWalk::Walk() {
    listsTimes = bytes.Extension().IsPresent() && bytes.Extension().Head().timeCount > 0;
    ReadIndexTable(bytes, static_cast<std::uint32_t>(CCollDiskHeader::size), bytes.GetLength(),
                   table);
    if (!HandleChildren(-1)) {
        return;
    }
    for (std::size_t index = 0; index < folders.size(); ++index) {
        Folder folder = folders[index];
        // The record was read when the folder was queued; its table follows it.
        ReadIndexTable(bytes, folder.tableAt, folder.end, table);
        // A folder counts as an item too: its table is read even when it has no entries.
        if (!HandleChildren(static_cast<std::int32_t>(index)) || !search.GoOn()) {
            return;
        }
    }
}

namespace {

// An index file in memory, read with one read into room kept from disk to disk, so a search
// holds no more than the largest file.
class CFileBuffer {
public:
    const std::uint8_t* Data() const { return bytes; }
    std::size_t Size() const { return size; }

    // False when `stopped` said stop between two reads.
    bool Read(const std::string& path, const std::function<bool()>& stopped) {
        CFile file(path, CFile::Mode::read);
        file.SetReadAhead(0);
        std::uint64_t length = file.GetLength();
        if (length > UINT32_MAX) {
            CFileException::ThrowEndOfFile(path);
        }
        size = 0;
        std::uint8_t* into = room.Reserve(static_cast<std::size_t>(length));
        bytes = into;
        // In pieces, so that a Stop is not kept waiting by a large file on a slow disk.
        std::size_t done = 0;
        while (done < length) {
            std::size_t piece = std::min<std::size_t>(readPiece, length - done);
            if (file.Read(into + done, piece) != piece) {
                CFileException::ThrowEndOfFile(path);
            }
            done += piece;
            if (done < length && stopped && stopped()) {
                return false;
            }
        }
        size = static_cast<std::size_t>(length);
        file.Close();
        return true;
    }

private:
    // Small enough that a piece from a slow drive (an optical one reads a few MB a second)
    // comes well within a Stop's 100 ms; with the kernel's read-ahead, larger reads are no
    // faster.
    static constexpr std::size_t readPiece = std::size_t{256} << 10;

    CWholeFileBuffer room;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
};

}  // namespace

CCollSearch::CCollSearch(CCollection* searched) : collection(searched) {}

std::vector<CSearchDisk> ChooseSearchDisks(const CCollection& collection, int diskIndex) {
    std::vector<CSearchDisk> chosen;
    for (std::size_t i = 0; i < collection.disks.size(); ++i) {
        if (diskIndex == -1 || static_cast<std::size_t>(diskIndex) == i) {
            chosen.push_back({collection.disks[i]->title, collection.disks[i]->indexPath});
        }
    }
    return chosen;
}

void CCollSearchCriteria::SetWords(const std::string& text) {
    const char* separators = " \t\r\n";
    std::string::size_type start = text.find_first_not_of(separators);
    while (start != std::string::npos) {
        std::string::size_type end = text.find_first_of(separators, start);
        words.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = text.find_first_not_of(separators, end);
    }
}

void CCollSearch::SetCriteria(const CCollSearchCriteria& wanted) {
    criteria = wanted;
    wordsBeyondAscii = false;
    // Words are read by the rule for names too, so a word given as code-page bytes finds
    // what it reads as.
    for (std::string& word : criteria.words) {
        word = NameText(word);
        for (char c : word) {
            wordsBeyondAscii = wordsBeyondAscii || static_cast<unsigned char>(c) >= 0x80;
        }
    }
    if (criteria.caseSensitive) {
        return;
    }
    std::string lowered;
    for (std::string& word : criteria.words) {
        LowerText(word, lowered);
        word = lowered;
    }
}

bool CCollSearch::NameMatches(const char* name, std::size_t length) const {
    // A name in memory may end anywhere: the matchers read a copy with room after it.
    unsigned char copy[255 + 16];
    if (length <= 255) {
        std::memcpy(copy, name, length);
        std::memset(copy + length, 0, 16);
        return NameHoldsAWord(criteria.words, criteria.caseSensitive, wordsBeyondAscii, copy,
                              length, loweredName);
    }
    std::string_view bytes(name, length);
    if (criteria.caseSensitive) {
        loweredName = NameText(bytes);
    } else {
        LowerText(bytes, loweredName);
    }
    return TextHoldsAWord(criteria.words, loweredName);
}

bool CCollSearch::Accept(const CCollDiskItem& item) const {
    return AcceptItem(
        criteria, item.type, [&](int kind) { return item.GetTime(kind); },
        [&] { return NameMatches(item.name.data(), item.name.size()); });
}

bool CCollSearch::GoOn() {
    if (--untilStopTest == 0) [[unlikely]] {
        untilStopTest = stopCheckInterval;
        if (stopTest != nullptr && (*stopTest)()) {
            proceed = false;
        }
    }
    return proceed;
}

void CCollSearch::Run(const CCollSearchCriteria& wanted, CSearchResultReceiver& receiver,
                      const std::function<bool()>& stopRequested) {
    if (busy) {
        return;
    }
    std::vector<CSearchDisk> disks;
    if (collection != nullptr) {
        disks = ChooseSearchDisks(*collection, wanted.diskIndex);
    }
    Run(wanted, disks, receiver, stopRequested);
}

void CCollSearch::Run(const CCollSearchCriteria& wanted, const std::vector<CSearchDisk>& disks,
                      CSearchResultReceiver& receiver, const std::function<bool()>& stopRequested) {
    // Asked for from inside a receiver or a stop test: the running walk reads the criteria
    // and the receiver as it goes, so they stay as they are.
    if (busy) {
        return;
    }
    SetCriteria(wanted);
    busy = true;
    proceed = true;
    resultReceiver = &receiver;
    stopTest = stopRequested ? &stopRequested : nullptr;
    untilStopTest = stopCheckInterval;
    // However the run ends, the engine is idle afterwards and holds on to neither.
    struct IdleOnExit {
        CCollSearch& search;
        ~IdleOnExit() {
            search.busy = false;
            search.proceed = true;
            search.resultReceiver = nullptr;
            search.stopTest = nullptr;
        }
    } idle{*this};
    CFileBuffer buffer;
    for (const CSearchDisk& disk : disks) {
        if (criteria.useMemoryMappedFile) {
            CMemMapFile map;
            map.OpenOrThrow(disk.indexPath);
            CIndexWalk(*this, reinterpret_cast<const std::uint8_t*>(map.view), map.fileSize,
                       disk.title, disk.indexPath)
                .Walk();
        } else {
            if (!buffer.Read(disk.indexPath, stopRequested)) {
                break;
            }
            CIndexWalk(*this, buffer.Data(), buffer.Size(), disk.title, disk.indexPath).Walk();
        }
        if (!proceed || (stopTest != nullptr && (*stopTest)())) {
            break;
        }
    }
}
