// SPDX-License-Identifier: GPL-3.0-or-later
// The item the browse panel's selection stands for, named by the folder chain it was reached
// through rather than by a text, so that names holding backslashes lead back to it.
#pragma once

#include <vector>

class CCollDisk;
class CCollDiskFolder;
class CCollDiskFile;
struct CCollItem;

// `folders` runs from the top level down to the folder; none names the root. The folder item
// of the selection, or the file item when `file` is set.
CCollItem SelectionItem(const CCollDisk& disk, const std::vector<const CCollDiskFolder*>& folders,
                        const CCollDiskFile* file);
