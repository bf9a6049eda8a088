// The catalogue paths the browse panel names its selection by: "Title:\" for a disk's root,
// "Title:\Folder\Sub" for a folder, the folder's path, a backslash and the name for a file
// (so "Title:\\name" for a file in the root).
#pragma once

#include <string>
#include <vector>

class CCollDisk;
class CCollDiskFolder;
class CCollDiskFile;
struct CCollItem;

// `folders` runs from the top level down to the folder; none names the root.
std::string CatalogueFolderPath(const CCollDisk& disk,
                                const std::vector<const CCollDiskFolder*>& folders);
// The folder item of the selection, or the file item when `file` is set.
CCollItem SelectionItem(const CCollDisk& disk, const std::vector<const CCollDiskFolder*>& folders,
                        const CCollDiskFile* file);
