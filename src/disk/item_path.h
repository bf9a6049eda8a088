// Where a catalogued item lies on the mounted disk. The names come from an index file, which
// may be damaged or crafted: a name that could lead anywhere else is refused, and so is an
// item that the disk's own links would take outside its root.
#pragma once

#include <string>
#include <vector>

#include "store/coll_item.h"

// The item's catalogue path is "Title:\Folder\name", "Title:\name" or "Title:\\name" for an
// item in the disk's root, or, for a folder only, "Title:\" for the root itself (a file with
// an empty name in the root reads the same); `root` is the folder where the disk is mounted.
// False when a name is empty, ".", "..", or holds "/" or a NUL byte, or when the item resolves
// to a place outside `root`.
bool ResolveDrivePath(const std::string& root, const CCollItem& item, std::string& drivePath);
// The last name of the item's path, checked the same way, or the disk's title for the root;
// false when it is not a usable file name (it becomes the name of a copy).
bool CatalogueItemName(const CCollItem& item, std::string& name);
// The names of the item's path after the title, from the top level down; none for the root.
// False under the same rules as ResolveDrivePath's names.
bool CatalogueItemNames(const CCollItem& item, std::vector<std::string>& names);
