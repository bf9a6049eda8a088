// The scan of a mounted disk into a disk's tree. Each folder is listed completely before
// its sub-folders are entered, and every folder is opened relative to its parent, so the
// process's current directory never moves onto the disk (it could not be ejected then).

#include <memory>

#include "platform/dir_reader.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"

namespace {

void ListFolder(CDirReader& dir, CCollDiskContent& content) {
    CDirEntry entry;
    while (dir.Next(entry)) {
        if (entry.isDirectory) {
            content.folders.Add(std::make_unique<CCollDiskFolder>(entry));
        } else {
            content.files.Add(std::make_unique<CCollDiskFile>(entry));
        }
    }
}

void ScanChildren(const CDirReader& dir, CCollDiskContent& content) {
    for (const auto& folder : content.folders) {
        CDirReader child;
        // A folder that cannot be entered stays in the tree, empty.
        if (child.OpenChild(dir, folder->name)) {
            ListFolder(child, folder->content);
            ScanChildren(child, folder->content);
        }
    }
}

}  // namespace

bool CCollDiskFolder::Scan(const std::string& path) {
    CDirReader dir;
    if (!dir.Open(path)) {
        return false;
    }
    ListFolder(dir, content);
    ScanChildren(dir, content);
    return true;
}

bool CCollDisk::Scan(const std::string& rootPath) {
    if (!header.ReadVolumeInfo(rootPath)) {
        ShowMessage("Failed loading volume information");
        return false;
    }
    CDirReader root;
    if (!root.Open(rootPath)) {
        ShowMessage("Failed opening folder %s\n", rootPath.c_str());
        return false;
    }
    ListFolder(root, content);
    ScanChildren(root, content);
    return true;
}
