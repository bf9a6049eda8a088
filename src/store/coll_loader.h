// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a collection file into a collection, and adds disks from index files.
#pragma once

#include <string>
#include <vector>

class CCollection;

class CCollLoader {
public:
    explicit CCollLoader(CCollection& collection) : collection(collection) {}

    // Appends the disks the file lists and takes its description. False only when the file
    // itself cannot be read; a bad line is reported and skipped.
    bool Load(const std::string& path);
    // Adds the disk of one index file (a full path) unless the collection has it already.
    // False, after a message, when its header cannot be read.
    bool InsertIndexFile(const std::string& path);
    // How many lines of the last Load were reported and skipped.
    int GetFailedLines() const { return failedLines; }

private:
    // Reads the description block starting at line `next`; returns the line after it.
    std::size_t ReadDescription(const std::vector<std::string>& lines, std::size_t next);

    CCollection& collection;
    int failedLines = 0;
};
