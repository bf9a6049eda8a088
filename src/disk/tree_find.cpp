// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/tree_find.h"

#include <cerrno>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/fs_ops.h"

namespace {

bool IsMaskSeparator(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == ',' || c == ';' || c == '-';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + '/' + name;
}

}  // namespace

CTreeFind::CTreeFind(std::string rootFolder, const std::string& mask, bool descendFolders,
                     bool returnFolderEntries)
    : root(std::move(rootFolder)), descend(descendFolders), returnFolders(returnFolderEntries) {
    ParseMask(mask);
}

void CTreeFind::ParseMask(const std::string& mask) {
    std::string::size_type at = 0;
    while (at < mask.size()) {
        if (IsMaskSeparator(mask[at])) {
            ++at;
            continue;
        }
        std::string::size_type end = at;
        while (end < mask.size() && !IsMaskSeparator(mask[end])) {
            ++end;
        }
        std::string piece = mask.substr(at, end - at);
        at = end;
        if (piece[0] != '*') {
            continue;
        }
        if (piece.size() < 2 || piece[1] != '.') {
            break;
        }
        extensions.insert(LowerAsciiText(piece.substr(2)));
    }
    matchAll = extensions.contains("*");
}

bool CTreeFind::Matches(const std::string& fileName) const {
    if (matchAll) {
        return true;
    }
    std::string::size_type dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    return extensions.contains(LowerAsciiText(extension));
}

bool CTreeFind::OpenNextFolder() {
    while (!queue.empty()) {
        folder = std::move(queue.front());
        queue.pop_front();
        if (IsUsablePath(folder) && reader.Open(folder)) {
            ++folderCount;
            return true;
        }
        failed = true;
    }
    return false;
}

bool CTreeFind::Next() {
    if (!started) {
        started = true;
        queue.push_back(root);
    }
    CDirEntry entry;
    while (true) {
        if (!reader.IsOpen() && !OpenNextFolder()) {
            return false;
        }
        if (!reader.Next(entry)) {
            // The reader clears errno before each read, so one left set is a failed read.
            if (errno != 0) {
                failed = true;
            }
            reader.Close();
            continue;
        }
        std::string entryPath = JoinPath(folder, entry.name);
        if (entry.isDirectory) {
            if (descend) {
                queue.push_back(entryPath);
            }
            if (!returnFolders) {
                continue;
            }
        } else if (!Matches(entry.name)) {
            continue;
        }
        name = std::move(entry.name);
        path = std::move(entryPath);
        isDirectory = entry.isDirectory;
        return true;
    }
}
