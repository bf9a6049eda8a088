#include "disk/item_path.h"

#include <vector>

#include "platform/path_status.h"
#include "store/coll_disk_item_type.h"

namespace {

bool IsSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// The names after the title's colon; false when there is no colon or a name is unsafe. No
// names at all is the disk's root, written "Title:\", which only a folder can be.
bool SplitNames(const CCollItem& item, std::vector<std::string>& names) {
    const std::string& cataloguePath = item.path;
    std::string::size_type colon = cataloguePath.find(':');
    if (colon == std::string::npos || colon + 1 == cataloguePath.size()) {
        return false;
    }
    std::string rest = cataloguePath.substr(colon + 1);
    if (rest[0] == '\\') {
        rest.erase(0, 1);
    }
    // The browse panel joins the root folder "\" and a name with one more backslash.
    if (rest.size() > 1 && rest[0] == '\\') {
        rest.erase(0, 1);
    }
    names.clear();
    if (rest.empty()) {
        return item.typeId == CCollDiskItemType::folderId;
    }
    std::string::size_type start = 0;
    while (true) {
        std::string::size_type end = rest.find('\\', start);
        std::string name = rest.substr(start, end == std::string::npos ? end : end - start);
        if (!IsSafeName(name)) {
            return false;
        }
        names.push_back(name);
        if (end == std::string::npos) {
            return true;
        }
        start = end + 1;
    }
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            (folder.back() == '/' || path[folder.size()] == '/'));
}

}  // namespace

bool ResolveDrivePath(const std::string& root, const CCollItem& item, std::string& drivePath) {
    std::vector<std::string> names;
    if (root.empty() || !SplitNames(item, names)) {
        return false;
    }
    std::string path = root;
    for (const std::string& name : names) {
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
    std::vector<std::string> names;
    if (!SplitNames(item, names)) {
        return false;
    }
    if (!names.empty()) {
        name = names.back();
        return true;
    }
    // A copy of the whole disk is named after the disk; the title comes from an index file's
    // name, so it is held to the same rules as any other name.
    std::string title = item.path.substr(0, item.path.find(':'));
    if (!IsSafeName(title)) {
        return false;
    }
    name = title;
    return true;
}

bool CatalogueItemNames(const CCollItem& item, std::vector<std::string>& names) {
    return SplitNames(item, names);
}
