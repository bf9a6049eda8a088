// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/disk_update.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/mem_map_file.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_disk_header.h"
#include "store/index_layout.h"

std::size_t CDiskDiff::Count(CDiskChange::Kind kind) const {
    return static_cast<std::size_t>(std::count_if(
        changes.begin(), changes.end(), [kind](const CDiskChange& c) { return c.change == kind; }));
}

namespace {

// One entry of a folder as the comparison sees it, whichever tree it comes from. The name
// points into the tree's own storage (the mapped file or the scanned item), which outlives
// the comparison.
struct CTreeEntry {
    std::string_view name;
    bool folder = false;
    std::uint64_t size = 0;
    Time64 modified = unknownTime;
    // Where to find the folder's entries: a table in an index file, or a scanned content.
    std::uint32_t tableAt = 0;
    std::uint32_t end = 0;
    const CCollDiskContent* content = nullptr;

    // Sorted by name bytes; a folder and a file of one name (only a damaged file has them)
    // kept apart.
    bool operator<(const CTreeEntry& other) const {
        return name != other.name ? name < other.name : folder < other.folder;
    }
    bool SameSlot(const CTreeEntry& other) const {
        return name == other.name && folder == other.folder;
    }
};

// A tree whose folders are listed one at a time, so only the folders on the walk's way are
// held at once.
class CTreeSource {
public:
    virtual ~CTreeSource() = default;
    // The entries of `folder` (the root when null), sorted.
    virtual void List(const CTreeEntry* folder, std::vector<CTreeEntry>& out) = 0;
};

// An index file read where it lies in memory, through the same layout reader and damage rules
// as browsing and the search.
class CIndexTreeSource : public CTreeSource {
public:
    explicit CIndexTreeSource(const std::string& path) : path(path) {
        map.OpenOrThrow(path);
        bytes.emplace(map.view, map.fileSize, this->path);
    }

    void List(const CTreeEntry* folder, std::vector<CTreeEntry>& out) override {
        out.clear();
        if (folder == nullptr) {
            ReadIndexTable(*bytes, static_cast<std::uint32_t>(CCollDiskHeader::size),
                           bytes->GetLength(), table);
        } else {
            ReadIndexTable(*bytes, folder->tableAt, folder->end, table);
        }
        out.reserve(table.Size());
        for (std::size_t i = 0; i < table.Size(); ++i) {
            CIndexRecord record = ReadIndexRecord(*bytes, table, i);
            CTreeEntry entry;
            entry.name = {reinterpret_cast<const char*>(record.name), record.nameLength};
            entry.folder = !table.IsFile(i);
            Time64 times[3];
            if (!TakeFullValues(bytes->Extension(), table.offsets[i], !entry.folder, record.times,
                                record.size, times, entry.size)) {
                bytes->ThrowDamaged();
            }
            entry.modified = times[CCollDiskItem::timeModify];
            if (entry.folder) {
                entry.size = 0;
                entry.tableAt = record.next;
                entry.end = table.EntryEnd(i);
            }
            out.push_back(entry);
        }
        std::sort(out.begin(), out.end());
    }

private:
    std::string path;
    CMemMapFile map;
    std::optional<CIndexBytes> bytes;
    CIndexTable table;
};

// A tree held whole in memory, as a scan leaves it.
class CContentTreeSource : public CTreeSource {
public:
    explicit CContentTreeSource(const CCollDiskContent& root) : root(root) {}

    void List(const CTreeEntry* folder, std::vector<CTreeEntry>& out) override {
        const CCollDiskContent& content = folder == nullptr ? root : *folder->content;
        out.clear();
        out.reserve(content.folders.size() + content.files.size());
        for (const auto& item : content.folders) {
            CTreeEntry entry;
            entry.name = item->name;
            entry.folder = true;
            entry.modified = item->modifyTime;
            entry.content = &item->content;
            out.push_back(entry);
        }
        for (const auto& item : content.files) {
            CTreeEntry entry;
            entry.name = item->name;
            entry.size = item->size;
            entry.modified = item->modifyTime;
            out.push_back(entry);
        }
        std::sort(out.begin(), out.end());
    }

private:
    const CCollDiskContent& root;
};

// What a file is known by when it is looked for elsewhere.
struct CMoveKey {
    std::string_view name;
    std::uint64_t size;
    Time64 modified;
    bool operator==(const CMoveKey&) const = default;
};

struct CMoveKeyHash {
    std::size_t operator()(const CMoveKey& key) const {
        std::size_t hash = std::hash<std::string_view>()(key.name);
        hash ^= std::hash<std::uint64_t>()(key.size) + 0x9e3779b97f4a7c15ULL + (hash << 6);
        hash ^= std::hash<std::int64_t>()(key.modified) + 0x9e3779b97f4a7c15ULL + (hash << 6);
        return hash;
    }
};

// Walks both trees depth first in name order, a folder's own change before the changes below
// it. A folder on one side only is reported, then every item below it on its own, so that the
// files of a folder that moved or was renamed can be found as moves. An explicit stack keeps
// any depth within reach.
CDiskDiff CompareTrees(CTreeSource& older, CTreeSource& newer) {
    struct Level {
        std::vector<CTreeEntry> old;
        std::vector<CTreeEntry> now;
        std::size_t i = 0;
        std::size_t j = 0;
    };
    CDiskDiff diff;
    std::vector<std::string> names;
    std::vector<Level> levels(1);
    older.List(nullptr, levels[0].old);
    newer.List(nullptr, levels[0].now);
    auto report = [&](CDiskChange::Kind kind, const CTreeEntry* was, const CTreeEntry* is) {
        const CTreeEntry& entry = is != nullptr ? *is : *was;
        CDiskChange change;
        change.change = kind;
        change.folder = entry.folder;
        change.names = names;
        change.names.emplace_back(entry.name);
        if (!entry.folder) {
            if (was != nullptr) {
                change.oldSize = was->size;
                change.oldModified = was->modified;
            }
            if (is != nullptr) {
                change.size = is->size;
                change.modified = is->modified;
            }
        }
        diff.changes.push_back(std::move(change));
    };
    // Descends into a folder on either side or both; the level's reference dies here.
    auto enter = [&](const CTreeEntry* was, const CTreeEntry* is) {
        Level next;
        if (was != nullptr) {
            older.List(was, next.old);
        }
        if (is != nullptr) {
            newer.List(is, next.now);
        }
        names.emplace_back((is != nullptr ? is : was)->name);
        levels.push_back(std::move(next));
    };
    while (!levels.empty()) {
        Level& level = levels.back();
        bool oldLeft = level.i < level.old.size();
        bool newLeft = level.j < level.now.size();
        if (!oldLeft && !newLeft) {
            levels.pop_back();
            if (!names.empty()) {
                names.pop_back();
            }
            continue;
        }
        const CTreeEntry* was = oldLeft ? &level.old[level.i] : nullptr;
        const CTreeEntry* is = newLeft ? &level.now[level.j] : nullptr;
        if (was != nullptr && is != nullptr && was->SameSlot(*is)) {
            ++level.i;
            ++level.j;
            if (was->folder) {
                enter(was, is);
            } else if (was->size != is->size || was->modified != is->modified) {
                report(CDiskChange::Kind::modified, was, is);
            }
        } else if (is == nullptr || (was != nullptr && *was < *is)) {
            ++level.i;
            report(CDiskChange::Kind::deleted, was, nullptr);
            if (was->folder) {
                enter(was, nullptr);
            }
        } else {
            ++level.j;
            report(CDiskChange::Kind::added, nullptr, is);
            if (is->folder) {
                enter(nullptr, is);
            }
        }
    }
    return diff;
}

// Turns a deleted file and an added file of the same name, size and modify time into one move,
// where that file is the only candidate on each side; the move takes the addition's place.
void FindMoves(CDiskDiff& diff) {
    struct Candidates {
        std::size_t deleted = 0;
        std::size_t added = 0;
        std::size_t deletedAt = 0;
    };
    std::unordered_map<CMoveKey, Candidates, CMoveKeyHash> candidates;
    auto keyOf = [](const CDiskChange& change, bool old) {
        return CMoveKey{change.names.back(), old ? change.oldSize : change.size,
                        old ? change.oldModified : change.modified};
    };
    for (std::size_t at = 0; at < diff.changes.size(); ++at) {
        const CDiskChange& change = diff.changes[at];
        if (change.folder) {
            continue;
        }
        if (change.change == CDiskChange::Kind::deleted) {
            Candidates& found = candidates[keyOf(change, true)];
            ++found.deleted;
            found.deletedAt = at;
        } else if (change.change == CDiskChange::Kind::added) {
            ++candidates[keyOf(change, false)].added;
        }
    }
    std::vector<bool> dropped(diff.changes.size());
    for (CDiskChange& change : diff.changes) {
        if (change.folder || change.change != CDiskChange::Kind::added) {
            continue;
        }
        auto found = candidates.find(keyOf(change, false));
        if (found == candidates.end() || found->second.deleted != 1 || found->second.added != 1) {
            continue;
        }
        CDiskChange& deletion = diff.changes[found->second.deletedAt];
        change.change = CDiskChange::Kind::moved;
        change.oldNames = deletion.names;
        change.oldSize = deletion.oldSize;
        change.oldModified = deletion.oldModified;
        dropped[found->second.deletedAt] = true;
    }
    // The keys point into the changes' names: they go before the changes move.
    candidates.clear();
    std::size_t kept = 0;
    for (std::size_t at = 0; at < diff.changes.size(); ++at) {
        if (!dropped[at]) {
            if (kept != at) {
                diff.changes[kept] = std::move(diff.changes[at]);
            }
            ++kept;
        }
    }
    diff.changes.resize(kept);
}

CDiskDiff Compare(CTreeSource& older, CTreeSource& newer) {
    CDiskDiff diff = CompareTrees(older, newer);
    FindMoves(diff);
    return diff;
}

}  // namespace

CDiskDiff CompareIndexFiles(const std::string& oldIndexPath, const std::string& newIndexPath) {
    CIndexTreeSource older(oldIndexPath);
    CIndexTreeSource newer(newIndexPath);
    return Compare(older, newer);
}

CDiskDiff CompareWithScan(const CCollDisk& stored, const CCollDisk& scanned) {
    CIndexTreeSource older(stored.indexPath);
    CContentTreeSource newer(scanned.content);
    return Compare(older, newer);
}

bool IsSameVolume(const CCollDisk& stored, const CCollDisk& scanned) {
    return stored.header.IsSameVolume(scanned.header);
}

CResult WriteUpdatedIndex(CCollDisk& stored, CCollDisk& scanned) {
    scanned.header.burnDate = stored.header.burnDate;
    scanned.header.description = stored.header.description;
    scanned.ComputeTotals();
    CResult written = scanned.SaveIndexFile(stored.indexPath);
    if (written) {
        stored.header = scanned.header;
    }
    return written;
}
