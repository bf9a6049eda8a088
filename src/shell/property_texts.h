// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the properties dialogs show for the collection, its totals and one folder or
// file, so that what the user reads is decided (and tested) without a window.
#pragma once

#include <cstdint>
#include <string>

#include "helpers/coll_types.h"

class CCollection;
class CCollDiskItem;

// `time` in local time through strftime's "%c", the locale's date and time; empty when it
// cannot be converted.
std::string FormatLocalTime(std::int64_t time);
// An item's time the same way; the unknown time shows as nothing.
std::string FormatItemTime(Time64 time);

struct CCollTotalsTexts {
    std::string disks;
    std::string folders;
    std::string files;
    std::string totalSize;
};
// Added up from the disks' headers alone, as "1,234" and the byte total unsigned.
CCollTotalsTexts GetTotalsTexts(const CCollection& collection);

struct CCollItemTexts {
    std::string caption;  // "Folder properties" or "File properties"
    std::string heading;  // "Folder" or "File"
    std::string name;     // as stored: bytes for DisplayText
    std::string created;
    std::string accessed;
    std::string modified;
    std::string size;  // files only
    bool hasSize = false;
};
CCollItemTexts GetItemTexts(const CCollDiskItem& item);

struct CCollCollectionTexts {
    std::string file;
    // Empty when the file cannot be looked at (never saved, or gone since).
    std::string creation;
    std::string modified;
    std::string disks;
};
// The file times come from the file system now, not from the collection.
CCollCollectionTexts GetCollectionTexts(const CCollection& collection, const std::string& path);
