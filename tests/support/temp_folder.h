// SPDX-License-Identifier: GPL-3.0-or-later
// A folder under the system's temporary directory that lives as long as the test, with
// helpers to put files in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tamblor-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
        }
        path = pattern;
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }

    const std::string& Path() const { return path; }
    // The full path of `relative` inside the folder.
    std::string Path(const std::string& relative) const { return path + "/" + relative; }
    // Writes `contents` to `relative`, creating the folders on the way; returns the full path.
    std::string Write(const std::string& relative, const std::string& contents = {}) const {
        std::filesystem::path full = std::filesystem::path(path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out << contents;
        return full.string();
    }
    static std::string Read(const std::string& fullPath) {
        std::ifstream in(fullPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path;
};
