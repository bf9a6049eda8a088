// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping a disk's index current: what changed between two trees of one disk (the stored
// index file and a new scan, or two index files), and the rewrite of the index file from the
// scan that keeps its description and burn date. Shared by `tamblor-cli diff`/`update` and the
// desktop program's Update disk index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "helpers/coll_types.h"
#include "helpers/problems.h"

class CCollDisk;

// One difference, reported once.
struct CDiskChange {
    enum class Kind { added, deleted, modified, moved };

    Kind change = Kind::added;
    bool folder = false;
    // The item's names from the disk's top level down, its own name last (as a catalogue
    // path holds them, the disk's title apart); where it is in the newer tree, or, for a
    // deletion, where it was.
    std::vector<std::string> names;
    // A move: where it was in the older tree.
    std::vector<std::string> oldNames;
    // Files: the size and modify time before and after; a deletion has only the old ones, an
    // addition only the new.
    std::uint64_t oldSize = 0;
    std::uint64_t size = 0;
    Time64 oldModified = unknownTime;
    Time64 modified = unknownTime;
};

// Every difference between two trees, in a repeatable order: depth first, each folder's
// entries by name bytes, a folder's own change before those below it. A folder on one side only
// is reported, then each item below it, so that the files of a moved or renamed folder can be
// found as moves. A file is modified when its size or modify time differs; a folder never is.
// A file deleted in one place and added in another with the same name, size and modify time
// is one move, at the addition's place, when it is the only such file on each side; otherwise
// it stays a deletion and an addition. Folders are never moves.
struct CDiskDiff {
    std::vector<CDiskChange> changes;

    std::size_t Count(CDiskChange::Kind kind) const;
    bool IsEmpty() const { return changes.empty(); }
};

// The differences from the tree of the index file `oldIndexPath` to the tree of
// `newIndexPath`, both read in memory a folder at a time. Throws CFileException when either
// cannot be read or is damaged.
CDiskDiff CompareIndexFiles(const std::string& oldIndexPath, const std::string& newIndexPath);
// The differences from the tree of `stored`'s index file to the tree of `scanned`, a disk
// just scanned (its whole tree in memory, walked as it is). Throws CFileException as above.
CDiskDiff CompareWithScan(const CCollDisk& stored, const CCollDisk& scanned);

// Whether the volume `scanned` was read from is `stored`'s disk: its label (exact bytes) and
// serial are the ones recorded, as Open and Copy check.
bool IsSameVolume(const CCollDisk& stored, const CCollDisk& scanned);

// Rewrites `stored`'s index file from `scanned`: the new tree, label, serial and totals, with
// the stored description and burn date kept. Atomic, as every save: on failure the file is
// left as it was and the result says why. On success `stored`'s header is the new one.
CResult WriteUpdatedIndex(CCollDisk& stored, CCollDisk& scanned);
