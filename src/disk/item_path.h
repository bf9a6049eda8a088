// Where a catalogued item lies on the mounted disk. The names come from an index file, which
// may be damaged or crafted: a name that could lead anywhere else is refused, and so is an
// item that the disk's own links would take outside its root.
#pragma once

#include <string>

// `cataloguePath` is "Title:\Folder\name"; `root` the folder where the disk is mounted. False
// when a name is empty, ".", "..", or holds "/" or a NUL byte, or when the item resolves to a
// place outside `root`.
bool ResolveDrivePath(const std::string& root, const std::string& cataloguePath,
                      std::string& drivePath);
// The last name of a catalogue path, checked the same way; false when it is not a usable
// file name (it becomes the name of a copy).
bool CatalogueItemName(const std::string& cataloguePath, std::string& name);
