#include "shell/catalogue_path.h"

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_disk_item_type.h"
#include "store/coll_item.h"

std::string CatalogueFolderPath(const CCollDisk& disk,
                                const std::vector<const CCollDiskFolder*>& folders) {
    std::string path = disk.title + ":\\";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) {
            path += '\\';
        }
        path += folders[i]->name;
    }
    return path;
}

CCollItem SelectionItem(const CCollDisk& disk, const std::vector<const CCollDiskFolder*>& folders,
                        const CCollDiskFile* file) {
    CCollItem item;
    item.path = CatalogueFolderPath(disk, folders);
    if (file == nullptr) {
        item.typeId = CCollDiskItemType::folderType.id;
    } else {
        item.typeId = CCollDiskItemType::fileType.id;
        item.path += '\\';
        item.path += file->name;
    }
    return item;
}
