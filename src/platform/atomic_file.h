// Writes the replacement of a file beside it and renames it into place only when every byte
// is on the disk, so a failure or a crash leaves the previous file whole.
#pragma once

#include <string>

#include "platform/file.h"

class CAtomicFile {
public:
    // Creates the temporary file; throws CFileException naming `path`.
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
    std::string tempPath;
    CFile file;
    bool committed = false;
};
