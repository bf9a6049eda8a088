// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a collection as its text file: the description block, then one index-file path per
// disk, relative to the collection file's folder.
#pragma once

#include <string>

#include "helpers/problems.h"

class CCollection;

struct CUnlistableDisk {
    std::string indexPath;
};

class CCollSaver {
public:
    explicit CCollSaver(CCollection& collection) : collection(collection) {}

    // Replaces the file at `path` only once the new one is complete; on success the
    // collection's path becomes `path`. On failure what went wrong.
    CResult Save(const std::string& path);
    // The file's content, as Save writes it. Throws CUnlistableDisk for a disk no line can
    // name.
    std::string Format(const std::string& path) const;

private:
    CCollection& collection;
};
