#include "search/coll_search.h"

#include <cstring>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/mem_map_file.h"
#include "search/text_lower.h"
#include "store/coll_disk_header.h"
#include "store/coll_disk_item.h"
#include "store/collection.h"

namespace {

constexpr std::uint32_t minFolderRecord = 21;
constexpr std::uint32_t minFileRecord = 17;

}  // namespace

// One walk over the bytes of one index file. Every read is checked against the end of the
// record's own range: in a sound file a folder's subtree lies between its record and the
// next sibling's, so ranges that overlap, run backwards or leave the file mean it is
// damaged. That also makes every record visited at most once, so a crafted file cannot make
// the walk loop or grow without bound.
class CIndexWalk {
public:
    CIndexWalk(CCollSearch& search, const std::uint8_t* data, std::uint64_t size,
               const std::string& title, const std::string& fileName)
        : search(search), data(data), size(size), title(title), fileName(fileName) {}

    void Walk();

private:
    struct Folder {
        std::uint32_t offset;
        std::uint32_t end;
        std::int32_t parent;
        std::uint32_t nameAt;
        std::uint8_t nameLength;
    };
    struct Record {
        std::uint32_t nameAt = 0;
        std::uint8_t nameLength = 0;
        Time32 times[3] = {};  // creation, access, modify: the order of the time kinds
        std::uint32_t size = 0;
        std::uint32_t next = 0;  // the position after the fields read
    };

    [[noreturn]] void Damaged() const { CFileException::ThrowEndOfFile(fileName); }
    std::uint32_t U32(std::uint64_t at, std::uint64_t end) const;
    Record ReadItem(std::uint32_t offset, std::uint32_t end, bool isFile) const;
    // Reads the table at `at` into the child offsets; every child must lie after it and
    // before `end`, in order.
    void ReadTable(std::uint32_t at, std::uint32_t end);
    std::uint32_t ChildEnd(std::size_t index, std::uint32_t end) const;
    // Tests and reports the children just read; false when a stop was requested.
    bool HandleChildren(const std::string& prefix, std::int32_t parent, std::uint32_t end);
    bool Handle(const CCollDiskItemType* type, const Record& record, std::uint32_t offset,
                const std::string& prefix);
    void BuildPrefix(std::int32_t folder);

    CCollSearch& search;
    const std::uint8_t* data;
    std::uint64_t size;
    const std::string& title;
    const std::string& fileName;
    std::vector<Folder> folders;  // queued in the order they are met: the walk's queue
    std::vector<std::uint32_t> children;
    std::size_t folderChildren = 0;
    std::vector<std::int32_t> chain;
    std::string prefix;
    CCollSearchResult result;
};

std::uint32_t CIndexWalk::U32(std::uint64_t at, std::uint64_t end) const {
    if (at + 4 > end) {
        Damaged();
    }
    const std::uint8_t* p = data + at;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

CIndexWalk::Record CIndexWalk::ReadItem(std::uint32_t offset, std::uint32_t end,
                                        bool isFile) const {
    Record record;
    if (offset >= end) {
        Damaged();
    }
    record.nameLength = data[offset];
    record.nameAt = offset + 1;
    std::uint64_t at = static_cast<std::uint64_t>(record.nameAt) + record.nameLength;
    record.times[CCollDiskItem::timeAccess] = static_cast<Time32>(U32(at, end));
    record.times[CCollDiskItem::timeCreation] = static_cast<Time32>(U32(at + 4, end));
    record.times[CCollDiskItem::timeModify] = static_cast<Time32>(U32(at + 8, end));
    at += 12;
    if (isFile) {
        record.size = U32(at, end);
        at += 4;
    }
    record.next = static_cast<std::uint32_t>(at);
    return record;
}

void CIndexWalk::ReadTable(std::uint32_t at, std::uint32_t end) {
    children.clear();
    std::uint64_t position = at;
    for (int part = 0; part < 2; ++part) {
        std::uint32_t count = U32(position, end);
        position += 4;
        std::uint64_t minimum = part == 0 ? minFolderRecord : minFileRecord;
        if (count > (end - position) / (4 + minimum)) {
            Damaged();
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            children.push_back(U32(position, end));
            position += 4;
        }
        if (part == 0) {
            folderChildren = children.size();
        }
    }
    std::uint64_t previous = position;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i] < previous || children[i] >= end) {
            Damaged();
        }
        previous = static_cast<std::uint64_t>(children[i]) + 1;
    }
}

std::uint32_t CIndexWalk::ChildEnd(std::size_t index, std::uint32_t end) const {
    return index + 1 < children.size() ? children[index + 1] : end;
}

bool CIndexWalk::Handle(const CCollDiskItemType* type, const Record& record, std::uint32_t offset,
                        const std::string& pathPrefix) {
    const char* name = reinterpret_cast<const char*>(data + record.nameAt);
    if (search.AcceptRecord(type, name, record.nameLength, record.times) &&
        search.resultReceiver != nullptr) {
        result.type = type;
        result.path.assign(pathPrefix).append(name, record.nameLength);
        result.name.assign(name, record.nameLength);
        result.creationTime = record.times[CCollDiskItem::timeCreation];
        result.modifyTime = record.times[CCollDiskItem::timeModify];
        result.accessTime = record.times[CCollDiskItem::timeAccess];
        result.offset = static_cast<std::int32_t>(offset);
        search.resultReceiver->OnSearchResult(result);
    }
    if (search.pumpMessages && search.pump) {
        search.pump();
    }
    return search.proceed;
}

bool CIndexWalk::HandleChildren(const std::string& pathPrefix, std::int32_t parent,
                                std::uint32_t end) {
    std::size_t count = children.size();
    for (std::size_t i = 0; i < count; ++i) {
        bool isFile = i >= folderChildren;
        std::uint32_t childEnd = ChildEnd(i, end);
        Record record = ReadItem(children[i], childEnd, isFile);
        if (!isFile) {
            folders.push_back(
                Folder{children[i], childEnd, parent, record.nameAt, record.nameLength});
        }
        const CCollDiskItemType* type =
            isFile ? &CCollDiskItemType::fileType : &CCollDiskItemType::folderType;
        if (!Handle(type, record, children[i], pathPrefix)) {
            return false;
        }
    }
    return true;
}

void CIndexWalk::BuildPrefix(std::int32_t folder) {
    chain.clear();
    for (std::int32_t at = folder; at >= 0; at = folders[static_cast<std::size_t>(at)].parent) {
        chain.push_back(at);
    }
    prefix.assign(title).append(":\\");
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const Folder& link = folders[static_cast<std::size_t>(*it)];
        prefix.append(reinterpret_cast<const char*>(data + link.nameAt), link.nameLength);
        prefix += '\\';
    }
}

void CIndexWalk::Walk() {
    if (size > UINT32_MAX) {
        Damaged();
    }
    auto end = static_cast<std::uint32_t>(size);
    ReadTable(static_cast<std::uint32_t>(CCollDiskHeader::size), end);
    BuildPrefix(-1);
    if (!HandleChildren(prefix, -1, end)) {
        return;
    }
    for (std::size_t index = 0; index < folders.size(); ++index) {
        Folder folder = folders[index];
        Record record = ReadItem(folder.offset, folder.end, false);
        ReadTable(record.next, folder.end);
        BuildPrefix(static_cast<std::int32_t>(index));
        if (!HandleChildren(prefix, static_cast<std::int32_t>(index), folder.end)) {
            return;
        }
        if (search.pumpMessages && search.pump) {
            search.pump();
        }
        if (!search.proceed) {
            return;
        }
    }
}

namespace {

// The whole index file in memory, with one read.
void ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& buffer) {
    CFile file(path, CFile::Mode::read);
    file.SetReadAhead(0);
    std::uint64_t length = file.GetLength();
    if (length > UINT32_MAX) {
        CFileException::ThrowEndOfFile(path);
    }
    buffer.resize(static_cast<std::size_t>(length));
    if (file.Read(buffer.data(), buffer.size()) != buffer.size()) {
        CFileException::ThrowEndOfFile(path);
    }
    file.Close();
}

}  // namespace

CCollSearch::CCollSearch(CCollection* searched) : collection(searched) {}

void CCollSearch::Reset() {
    typeFilter = nullptr;
    scope = 1;
    words.clear();
    caseSensitive = false;
    diskIndex = -1;
    busy = false;
    proceed = true;
}

void CCollSearch::SetWords(const std::string& text) {
    const char* separators = " \t\r\n";
    std::string::size_type start = text.find_first_not_of(separators);
    while (start != std::string::npos) {
        std::string::size_type end = text.find_first_of(separators, start);
        words.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = text.find_first_not_of(separators, end);
    }
}

void CCollSearch::PrepareWords() {
    if (caseSensitive) {
        return;
    }
    std::string lowered;
    for (std::string& word : words) {
        LowerText(word, lowered);
        word = lowered;
    }
}

bool CCollSearch::NameMatches(const char* name, std::size_t length) const {
    const char* haystack = name;
    if (!caseSensitive) {
        LowerText(std::string_view(name, length), loweredName);
        haystack = loweredName.data();
        length = loweredName.size();
    }
    for (const std::string& word : words) {
        if (::memmem(haystack, length, word.data(), word.size()) != nullptr) {
            return true;
        }
    }
    return false;
}

bool CCollSearch::AcceptRecord(const CCollDiskItemType* type, const char* name,
                               std::size_t nameLength, const Time32 times[3]) const {
    if (typeFilter != nullptr && typeFilter != type) {
        return false;
    }
    if (timeKind != -1) {
        Time32 time = timeKind >= 0 && timeKind <= 2 ? times[timeKind] : CurrentTime32();
        if (time < timeFrom || time > timeTo) {
            return false;
        }
    }
    if (words.empty()) {
        return true;
    }
    return (scope & 1) != 0 && NameMatches(name, nameLength);
}

bool CCollSearch::Accept(const CCollDiskItem& item) const {
    const Time32 times[3] = {item.creationTime, item.accessTime, item.modifyTime};
    return AcceptRecord(item.type, item.name.data(), item.name.size(), times);
}

void CCollSearch::Run() {
    busy = true;
    proceed = true;
    // However the run ends, the engine is idle afterwards.
    struct IdleOnExit {
        CCollSearch& search;
        ~IdleOnExit() {
            search.busy = false;
            search.proceed = true;
        }
    } idle{*this};
    std::vector<std::uint8_t> buffer;
    // The pump may change the collection: look the disks up afresh, and copy what the walk
    // needs of each.
    for (std::size_t i = 0; i < collection->disks.size(); ++i) {
        if (diskIndex != -1 && static_cast<std::size_t>(diskIndex) != i) {
            continue;
        }
        std::string title = collection->disks[i]->title;
        std::string indexPath = collection->disks[i]->indexPath;
        if (useMemoryMappedFile) {
            CMemMapFile map;
            if (!map.Open(indexPath, true, 0, false, false, false)) {
                // Learn why from an ordinary open; a file that opens is empty or too large.
                CFile probe(indexPath, CFile::Mode::read);
                CFileException::ThrowEndOfFile(indexPath);
            }
            CIndexWalk(*this, reinterpret_cast<const std::uint8_t*>(map.view), map.fileSize, title,
                       indexPath)
                .Walk();
        } else {
            ReadWholeFile(indexPath, buffer);
            CIndexWalk(*this, buffer.data(), buffer.size(), title, indexPath).Walk();
        }
        if (!proceed) {
            break;
        }
    }
}
