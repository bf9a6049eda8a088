// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/path_parts.h"

#include "platform/path_status.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// Drops "." and folds "name/.." so that a "..\" read from a collection file climbs from the
// folder the collection file really is in, even when its own path came as "/x/./y/../c.col".
// False when a full path would climb above "/"; a relative one keeps its leading "..".
bool CollapseDots(CPathParts& parts) {
    std::vector<std::string> kept;
    for (std::string& component : parts.components) {
        if (component == ".") {
            continue;
        }
        if (component == "..") {
            if (!kept.empty() && kept.back() != "..") {
                kept.pop_back();
                continue;
            }
            if (parts.absolute) {
                return false;
            }
        }
        kept.push_back(std::move(component));
    }
    parts.components = std::move(kept);
    return true;
}

}  // namespace

bool CPathParts::Parse(const std::string& path) {
    absolute = false;
    components.clear();
    fileName.clear();
    if (path.empty() || path.size() > maxPathLength) {
        return false;
    }
    absolute = path[0] == '/';
    std::string piece;
    for (char c : path) {
        if (IsSeparator(c)) {
            if (!piece.empty()) {
                components.push_back(std::move(piece));
                piece.clear();
            }
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) {
        components.push_back(std::move(piece));
    }
    if (!IsSeparator(path.back()) && !components.empty()) {
        fileName = std::move(components.back());
        components.pop_back();
    }
    return true;
}

std::string CPathParts::BuildFolder() const {
    char separator = absolute ? '/' : '\\';
    std::string path = absolute ? "/" : "";
    for (const std::string& component : components) {
        path += component;
        path += separator;
    }
    return path;
}

std::string CPathParts::Build() const {
    return BuildFolder() + fileName;
}

bool CommonDepth(const CPathParts& a, const CPathParts& b, std::size_t& count) {
    if (a.absolute != b.absolute) {
        return false;
    }
    // Names are compared exactly: folders that differ only in case are different here.
    count = 0;
    while (count < a.components.size() && count < b.components.size() &&
           a.components[count] == b.components[count]) {
        ++count;
    }
    return true;
}

bool MakeRelativePath(const std::string& target, const std::string& base, std::string& result) {
    CPathParts targetParts;
    CPathParts baseParts;
    if (!targetParts.Parse(target) || !baseParts.Parse(base) || !CollapseDots(targetParts) ||
        !CollapseDots(baseParts)) {
        return false;
    }
    std::size_t count = 0;
    if (!CommonDepth(targetParts, baseParts, count)) {
        result = target;
        return true;
    }
    CPathParts relative;
    for (std::size_t i = count; i < baseParts.components.size(); ++i) {
        relative.components.emplace_back("..");
    }
    for (std::size_t i = count; i < targetParts.components.size(); ++i) {
        relative.components.push_back(targetParts.components[i]);
    }
    relative.fileName = targetParts.fileName;
    result = relative.Build();
    return true;
}

bool MakeAbsolutePath(const std::string& relative, const std::string& base, std::string& result) {
    if (!relative.empty() && relative[0] == '/') {
        if (relative.size() > maxPathLength) {
            return false;
        }
        result = relative;
        return true;
    }
    CPathParts relativeParts;
    CPathParts parts;
    if (!relativeParts.Parse(relative) || !parts.Parse(base) || !CollapseDots(parts)) {
        return false;
    }
    for (const std::string& component : relativeParts.components) {
        if (component == ".") {
            continue;
        }
        if (component == "..") {
            if (parts.components.empty()) {
                return false;
            }
            parts.components.pop_back();
            continue;
        }
        parts.components.push_back(component);
    }
    if (relativeParts.fileName == "." || relativeParts.fileName == "..") {
        return false;
    }
    parts.fileName = relativeParts.fileName;
    result = parts.Build();
    return result.size() <= maxPathLength;
}

std::string NormalizedFullPath(const std::string& path) {
    std::vector<std::string> kept;
    for (std::string& name : PathNames(path)) {
        if (name == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
        } else if (name != ".") {
            kept.push_back(std::move(name));
        }
    }
    std::string result;
    for (const std::string& name : kept) {
        result += "/" + name;
    }
    return result.empty() ? "/" : result;
}

std::string FullPathOf(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::string joined = path;
    if (path[0] != '/') {
        std::string current = GetCurrentFolder();
        if (current.empty()) {
            return path;
        }
        joined = current + "/" + path;
    }
    // ".." is taken lexically, as the shell's cd takes it.
    std::string full = NormalizedFullPath(joined);
    // "a.cdi/" must still fail as a folder would, not open a.cdi.
    if (full != "/" && joined.back() == '/') {
        full += '/';
    }
    return full;
}
