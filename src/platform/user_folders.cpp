// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace {

std::string FullPathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

// Account entries are small; a buffer this large means something is wrong.
constexpr std::size_t maxEntryBuffer = std::size_t{1} << 20;

std::string AccountHomeFolder() {
    long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < maxEntryBuffer) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') {
            return std::string();
        }
        return found->pw_dir;
    }
}

}  // namespace

std::string GetHomeFolder() {
    std::string home = FullPathFromEnvironment("HOME");
    return home.empty() ? AccountHomeFolder() : home;
}

std::string GetConfigFolder() {
    std::string config = FullPathFromEnvironment("XDG_CONFIG_HOME");
    if (!config.empty()) {
        return config;
    }
    std::string home = GetHomeFolder();
    if (home.empty()) {
        return std::string();
    }
    if (home.back() != '/') {
        home += '/';
    }
    return home + ".config";
}
