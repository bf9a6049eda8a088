// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_line.h"

#include <strings.h>

#include <string_view>

#include "helpers/path_parts.h"
#include "platform/fs_ops.h"

namespace {

const char* const blanks = " \t\r\n\v\f";

bool IsBlank(char c) {
    return c != '\0' && std::string_view(blanks).find(c) != std::string_view::npos;
}

}  // namespace

std::string LineBaseOf(const std::string& path) {
    std::string target;
    return ResolveLinks(path, target) ? target : path;
}

std::string TrimCollectionLine(const std::string& line) {
    std::string::size_type first = line.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    std::string::size_type last = line.find_last_not_of(blanks);
    return line.substr(first, last - first + 1);
}

bool IsDescriptionMarker(const std::string& line) {
    return ::strcasecmp(line.c_str(), "[DESCRIPTION]") == 0;
}

bool ReadIndexLine(const std::string& line, const std::string& collectionPath,
                   std::string& indexPath) {
    return MakeAbsolutePath(line, collectionPath, indexPath);
}

bool WriteIndexLine(const std::string& indexPath, const std::string& collectionPath,
                    std::string& line) {
    std::string wanted = NormalizedFullPath(indexPath);
    auto readsBack = [&](const std::string& candidate) {
        std::string read;
        return candidate.find('\n') == std::string::npos &&
               TrimCollectionLine(candidate) == candidate && !IsDescriptionMarker(candidate) &&
               ReadIndexLine(candidate, collectionPath, read) &&
               (read == indexPath || read == wanted);
    };
    std::string relative;
    if (MakeRelativePath(indexPath, collectionPath, relative)) {
        // A "." in front keeps a leading blank, and a file named like the marker, in the line.
        if (!relative.empty() && relative[0] != '/' &&
            (IsBlank(relative[0]) || IsDescriptionMarker(relative))) {
            relative.insert(0, ".\\");
        }
        if (readsBack(relative)) {
            line = relative;
            return true;
        }
    }
    if (readsBack(indexPath)) {
        line = indexPath;
        return true;
    }
    return false;
}

std::string WhyNotListable(const std::string& indexPath) {
    if (indexPath.find('\n') != std::string::npos) {
        return "its path holds a line break";
    }
    if (indexPath.find('\\') != std::string::npos) {
        return "its path holds a backslash, which collection files read as a separator";
    }
    if (!indexPath.empty() && IsBlank(indexPath.back())) {
        return "its name ends in a blank";
    }
    if (indexPath.size() > maxPathLength) {
        return "its path is too long";
    }
    return std::string();
}
