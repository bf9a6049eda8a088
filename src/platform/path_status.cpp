// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/path_status.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

std::vector<std::string> PathNames(const std::string& path) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            names.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

bool PathExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

PathKind GetPathKind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return PathKind::missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::folder;
    }
    if (S_ISREG(status.st_mode)) {
        return PathKind::file;
    }
    return S_ISBLK(status.st_mode) ? PathKind::blockDevice : PathKind::other;
}

std::string GetRealPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return std::string();
    }
    std::string text(resolved);
    std::free(resolved);
    return text;
}

std::string GetCurrentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}
