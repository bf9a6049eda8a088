#include "disk/item_path.h"

#include <vector>

#include "platform/path_status.h"

namespace {

bool IsSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// The names after the title's colon; false when there is no colon or a name is unsafe.
bool SplitNames(const std::string& cataloguePath, std::vector<std::string>& names) {
    std::string::size_type colon = cataloguePath.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::string rest = cataloguePath.substr(colon + 1);
    if (!rest.empty() && rest[0] == '\\') {
        rest.erase(0, 1);
    }
    names.clear();
    if (rest.empty()) {
        return true;
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

bool ResolveDrivePath(const std::string& root, const std::string& cataloguePath,
                      std::string& drivePath) {
    std::vector<std::string> names;
    // An item always has a name: a path that names no item would be the disk's root.
    if (root.empty() || !SplitNames(cataloguePath, names) || names.empty()) {
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

bool CatalogueItemName(const std::string& cataloguePath, std::string& name) {
    std::vector<std::string> names;
    if (!SplitNames(cataloguePath, names) || names.empty()) {
        return false;
    }
    name = names.back();
    return true;
}
