// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/selection_item.h"

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_disk_item_type.h"
#include "store/coll_item.h"

CCollItem SelectionItem(const CCollDisk& disk, const std::vector<const CCollDiskFolder*>& folders,
                        const CCollDiskFile* file) {
    CCollItem item;
    item.path.title = disk.title;
    item.path.names.reserve(folders.size() + 1);
    for (const CCollDiskFolder* folder : folders) {
        item.path.names.push_back(folder->name);
    }
    if (file == nullptr) {
        item.typeId = CCollDiskItemType::folderType.id;
    } else {
        item.typeId = CCollDiskItemType::fileType.id;
        item.path.names.push_back(file->name);
    }
    return item;
}
