// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk_item_type.h"

const CCollDiskItemType CCollDiskItemType::folderType{folderId, "Folder", "Folders", true};
const CCollDiskItemType CCollDiskItemType::fileType{fileId, "File", "Files", false};
