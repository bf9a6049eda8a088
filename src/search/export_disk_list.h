// SPDX-License-Identifier: GPL-3.0-or-later
// The collection's disk list as one HTML page: a table of title, burn date, files, folders
// and size, one row per disk in the collection's current order.
#pragma once

#include <string>

class CCollection;
class CHtmlWriter;

// Writes the whole page to an open writer; throws CFileException on a write error.
void ExportDiskList(CHtmlWriter& writer, const CCollection& collection);

// Writes the page next to the collection file, named after it with the extension "htm",
// replacing any file there, and sets `outputPath` to it. Does nothing and returns false when
// the collection was never saved (empty path) or has no disk. When the page cannot be
// created, says so and returns false; a write error throws CFileException.
bool ExportCollectionList(const CCollection& collection, const std::string& collectionPath,
                          std::string& outputPath);
