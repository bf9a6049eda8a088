// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/item_path.h"

#include "platform/path_status.h"
#include "store/coll_disk_item_type.h"

namespace {

bool IsSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            (folder.back() == '/' || path[folder.size()] == '/'));
}

}  // namespace

bool HasUsableNames(const CCollItem& item) {
    const std::vector<std::string>& names = item.path.names;
    if (names.empty()) {
        return item.typeId == CCollDiskItemType::folderId;
    }
    for (const std::string& name : names) {
        if (!IsSafeName(name)) {
            return false;
        }
    }
    return true;
}

bool ResolveDrivePath(const std::string& root, const CCollItem& item, std::string& drivePath) {
    if (root.empty() || !HasUsableNames(item)) {
        return false;
    }
    std::string path = root;
    for (const std::string& name : item.path.names) {
        if (path.back() != '/') {
            path += '/';
        }
        path += name;
    }
    // A link on the disk may point anywhere: what exists must resolve inside the root.
    std::string real = GetRealPath(path);
    std::string realRoot = GetRealPath(root);
    if (!real.empty() && (realRoot.empty() || !IsInside(real, realRoot))) {
        return false;
    }
    drivePath = path;
    return true;
}

bool CatalogueItemName(const CCollItem& item, std::string& name) {
    if (!HasUsableNames(item)) {
        return false;
    }
    // A copy of the whole disk is named after the disk; the title comes from an index file's
    // name, so it is held to the same rules as any other name.
    const std::string& last = item.path.names.empty() ? item.path.title : item.path.names.back();
    if (!IsSafeName(last)) {
        return false;
    }
    name = last;
    return true;
}
