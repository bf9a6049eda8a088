// SPDX-License-Identifier: GPL-3.0-or-later
// A collection: its description and the disks it lists, in order. Whoever opened or saved it
// keeps the path of its file.
#pragma once

#include <memory>
#include <string>

#include "store/coll_disk.h"
#include "store/coll_totals.h"
#include "store/sortable_ptr_array.h"

class CCollection {
public:
    // Destroys every disk and empties the description.
    void Clear();
    CCollDisk* AddDisk(std::unique_ptr<CCollDisk> disk);
    // Takes the disk out of the list, keeping the order of the rest, and hands it back;
    // null when it is not in the collection.
    std::unique_ptr<CCollDisk> RemoveDisk(const CCollDisk* disk);
    // The first disk whose title equals `text` byte for byte.
    CCollDisk* FindDiskByTitle(const std::string& text) const;
    // The first disk whose index path equals `path`, ignoring the case of ASCII letters.
    CCollDisk* FindDiskByIndexPath(const std::string& path) const;
    void SortDisks(int fieldId);
    void GetTotals(CCollTotals& out) const;

    std::string description;
    CSortablePtrArray<CCollDisk> disks;
};
