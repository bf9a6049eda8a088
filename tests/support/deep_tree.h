// SPDX-License-Identifier: GPL-3.0-or-later
// Builds and removes folder trees deeper than any path the system accepts. Both go one level
// at a time relative to the folder above, since neither a long path nor a removal that
// recurses (or keeps a descriptor per level) can reach their bottom.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// Makes `depth` folders named `name`, each inside the one before, under `folder`. `eachLevel`
// runs with the descriptor of every folder of the chain, the outermost (level 0, `folder`
// itself) to the bottom one (level `depth`), to add entries there. False on any failure.
inline bool MakeFolderChain(const std::string& folder, int depth, const std::string& name,
                            const std::function<bool(int fd, int level)>& eachLevel = {}) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; fd >= 0; ++level) {
        if (eachLevel && !eachLevel(fd, level)) {
            break;
        }
        if (level == depth) {
            ::close(fd);
            return true;
        }
        int child = -1;
        if (::mkdirat(fd, name.c_str(), 0755) == 0) {
            child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        ::close(fd);
        fd = child;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return false;
}

// Writes a file `name` holding `contents` in the folder open as `fd`.
inline bool WriteFileAt(int fd, const std::string& name, const std::string& contents) {
    int file = ::openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) {
        return false;
    }
    bool written =
        ::write(file, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    return ::close(file) == 0 && written;
}

// Removes `folder` and everything in it at any depth, holding two descriptors at most: it
// goes down into the first sub-folder that is not empty, and back up through "..".
inline bool RemoveDeepTree(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    std::vector<std::string> names;
    while (fd >= 0) {
        ::fchmod(fd, 0700);
        int listing = ::dup(fd);
        DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (dir == nullptr) {
            break;
        }
        std::string fuller;
        while (const dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            struct stat status {};
            bool isFolder = ::fstatat(fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                            S_ISDIR(status.st_mode);
            if (::unlinkat(fd, name.c_str(), isFolder ? AT_REMOVEDIR : 0) != 0 && isFolder &&
                fuller.empty()) {
                fuller = name;
            }
        }
        ::closedir(dir);
        int next = -1;
        if (!fuller.empty()) {
            next = ::openat(fd, fuller.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            names.push_back(fuller);
        } else if (!names.empty()) {
            next = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            // An empty folder that still cannot go would be entered again and again.
            if (next >= 0 && ::unlinkat(next, names.back().c_str(), AT_REMOVEDIR) != 0) {
                ::close(next);
                next = -1;
            }
            names.pop_back();
        } else {
            ::close(fd);
            return ::rmdir(folder.c_str()) == 0;
        }
        ::close(fd);
        fd = next;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return false;
}

// A scratch folder for deep trees, in memory where the system offers it (thousands of
// folders made and removed on a real disk take a minute), removed whole however deep.
class CDeepTreeFolder {
public:
    CDeepTreeFolder() {
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? std::string("/dev/shm")
                                  : std::filesystem::temp_directory_path().string();
        pattern += "/tamblor-deep-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
        }
        path = pattern;
    }
    CDeepTreeFolder(const CDeepTreeFolder&) = delete;
    CDeepTreeFolder& operator=(const CDeepTreeFolder&) = delete;
    ~CDeepTreeFolder() { EXPECT_TRUE(RemoveDeepTree(path)) << path; }

    const std::string& Path() const { return path; }
    std::string Path(const std::string& relative) const { return path + "/" + relative; }
    // Writes `contents` to a short `relative` path, making the folders on the way.
    void Write(const std::string& relative, const std::string& contents) const {
        std::filesystem::path full = Path(relative);
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << contents;
    }

private:
    std::string path;
};
