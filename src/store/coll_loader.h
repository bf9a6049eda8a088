// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a collection file into a collection, and adds disks from index files. Shows nothing:
// what went wrong is kept, in order, for the caller to show.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "helpers/problems.h"

class CCollection;

class CCollLoader {
public:
    // Told after each disk of a Load how many of the file's disks have been tried; false stops
    // the load there.
    using Progress = std::function<bool(std::size_t tried, std::size_t total)>;

    explicit CCollLoader(CCollection& collection) : collection(collection) {}

    // Appends the disks the file lists and takes its description. False only when the file
    // itself cannot be read; a bad line is kept as a problem and skipped.
    bool Load(const std::string& path, const Progress& progress = {});
    // Adds the disk of one index file (a full path) unless the collection has it already.
    // False, with its problems kept, when its header cannot be read.
    bool InsertIndexFile(const std::string& path);
    // How many lines of the last Load were skipped.
    int GetFailedLines() const { return failedLines; }
    // Everything that went wrong since the loader was made, in the order it happened.
    const CProblems& GetProblems() const { return problems; }

private:
    // Reads the description block starting at line `next`; returns the line after it.
    std::size_t ReadDescription(const std::vector<std::string>& lines, std::size_t next);
    // Reads the header of the disk a collection line names; false when it was skipped.
    bool LoadDiskLine(const std::string& line, const std::string& base);

    CCollection& collection;
    int failedLines = 0;
    CProblems problems;
};
