// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the replacement of a file beside it and renames it into place only when every byte
// is on the disk, so a failure or a crash leaves the previous file whole. A symbolic link is
// written through to the file it leads to, and the replaced file keeps its mode and owner.
#pragma once

#include <string>

#include "platform/file.h"

class CAtomicFile {
public:
    // Creates the temporary file beside the file `path` leads to; throws CFileException naming
    // `path` when that is not a file or the user may not write it, leaving it untouched.
    explicit CAtomicFile(const std::string& path);
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
    // Removes the temporary file unless Commit() succeeded.
    ~CAtomicFile();

    CFile& File() { return file; }
    // Flushes, syncs and renames over the target; throws CFileException on any failure.
    void Commit();

private:
    std::string path;
    // Where the links of `path` lead: the file the rename replaces.
    std::string target;
    std::string tempPath;
    CFile file;
    bool committed = false;
};
