// SPDX-License-Identifier: GPL-3.0-or-later
// Lists a folder, and on request its sub-folders breadth first, yielding the files whose
// extension a mask such as "*.jpg; *.png" names and, on request, the folders too. Folders
// are opened one at a time by path; the process's current directory never changes.
#pragma once

#include <cstddef>
#include <deque>
#include <set>
#include <string>

#include "platform/dir_reader.h"

class CTreeFind {
public:
    // The mask is cut at blanks, tabs, line ends, commas, semicolons and hyphens; "*.ext"
    // pieces name extensions, other pieces are ignored, and a piece such as "*abc" ends the
    // mask. "*.*" yields every file.
    CTreeFind(std::string rootFolder, const std::string& mask, bool descendFolders,
              bool returnFolderEntries);

    // Advances to the next entry; false when every folder has been listed.
    bool Next();

    const std::string& GetFileName() const { return name; }
    const std::string& GetFilePath() const { return path; }
    // Symbolic links are reported as files, whatever they lead to.
    bool IsDirectory() const { return isDirectory; }
    std::size_t GetFolderCount() const { return folderCount; }
    // True once a folder could not be opened or read to its end, so a listing that ended
    // is not mistaken for a complete one.
    bool Failed() const { return failed; }

private:
    void ParseMask(const std::string& mask);
    bool Matches(const std::string& fileName) const;
    bool OpenNextFolder();

    std::string root;
    std::set<std::string> extensions;
    bool matchAll = false;
    bool descend;
    bool returnFolders;
    std::deque<std::string> queue;
    std::size_t folderCount = 0;
    bool started = false;
    bool failed = false;

    CDirReader reader;
    std::string folder;
    std::string name;
    std::string path;
    bool isDirectory = false;
};
