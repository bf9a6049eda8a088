// SPDX-License-Identifier: GPL-3.0-or-later
// One catalogued disk: its header, its folder and file tree (read from its index file on
// demand, or built by a scan), the index file's path and the title shown for it.
#pragma once

#include <memory>
#include <string>

#include "helpers/problems.h"
#include "store/coll_disk_content.h"
#include "store/coll_disk_header.h"

class CRecordWriter;

class CCollDisk {
public:
    explicit CCollDisk(std::string title = {});
    // A disk of the index file at `path`, titled by the file's name without its extension.
    // Nothing is read yet.
    static std::unique_ptr<CCollDisk> OfIndexFile(const std::string& path);
    CCollDisk(const CCollDisk&) = delete;
    CCollDisk& operator=(const CCollDisk&) = delete;

    // Counts files, folders and bytes at every depth into the header.
    void ComputeTotals();

    // Reads the header from indexPath, with the exact totals of the file's extension; the file
    // error on failure, a damaged extension included.
    CResult ReadHeader();
    // Reads the root level and one level below each root folder. Throws CFileException after
    // reading what lies before the damage.
    void LoadContent();
    // Rewrites the header, keeping the tree; on failure the file error, the file left as it
    // was.
    CResult WriteHeader();
    // Gives every entry its offset and gathers what the extension must keep, which the header
    // then points to. False when the file would reach past 4 GiB, where offsets cannot point.
    bool AssignOffsets();
    // Writes the whole disk at the writer's position, which must be 0, as AssignOffsets laid
    // it out.
    void WriteIndex(CRecordWriter& writer) const;
    // Writes the disk as a new index file that replaces `path` only once it is complete; on
    // failure the file error, and no partial file is left.
    CResult SaveIndexFile(const std::string& path);

    // Whether the disk now in the drive named by the "Drive" setting (or `drive`) is this one:
    // its label (exact bytes) and serial are the ones recorded by the scan.
    bool IsInDrive() const;
    bool IsInDrive(const std::string& drive) const { return !RootInDrive(drive).empty(); }
    // The folder where `drive`'s volume is mounted when it is this disk; empty otherwise.
    std::string RootInDrive(const std::string& drive) const;

    CCollDiskContent content;
    CCollDiskHeader header;
    std::string indexPath;
    std::string title;

private:
    CIndexExtensionEntries extension;
};
