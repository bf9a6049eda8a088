// SPDX-License-Identifier: GPL-3.0-or-later
// The collection's disk list as one HTML page: a table of title, burn date, files, folders
// and size, one row per disk in the collection's current order.
#pragma once

#include <string>
#include <vector>

#include "helpers/problems.h"
#include "store/coll_disk_header.h"

class CCollection;
class CHtmlWriter;

// What the page shows of one disk, copied from the collection when an export starts, so that
// the page can be written while the list changes.
struct CDiskListRow {
    std::string title;
    CCollDiskHeader header;
};

std::vector<CDiskListRow> TakeDiskListRows(const CCollection& collection);

// Writes the whole page to an open writer; throws CFileException on a write error.
void ExportDiskList(CHtmlWriter& writer, const std::vector<CDiskListRow>& rows);

// The page's path: next to the collection file, named after it with the extension "htm".
std::string DiskListPagePath(const std::string& collectionPath);

// Writes the page at `outputPath`, replacing any file there. When the page cannot be created,
// says so in `problems` and returns false; a write error throws CFileException.
bool ExportCollectionList(const std::vector<CDiskListRow>& rows, const std::string& outputPath,
                          CProblems& problems);
