// SPDX-License-Identifier: GPL-3.0-or-later
// Where a catalogued item lies on the mounted disk. The names come from an index file, which
// may be damaged or crafted: a name that could lead anywhere else is refused, and so is an
// item that the disk's own links would take outside its root.
#pragma once

#include <string>

#include "store/coll_item.h"

// False when one of the path's names is empty, ".", "..", or holds "/" or a NUL byte, or when
// a file has no names at all (only a folder can be the disk's root).
bool HasUsableNames(const CCollItem& item);
// The item's place below `root`, the folder where the disk is mounted. False for names that
// HasUsableNames refuses, and when the item resolves to a place outside `root`.
bool ResolveDrivePath(const std::string& root, const CCollItem& item, std::string& drivePath);
// The last name of the item's path, or the disk's title for the root; false when it is not a
// usable file name (it becomes the name of a copy).
bool CatalogueItemName(const CCollItem& item, std::string& name);
