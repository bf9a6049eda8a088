// SPDX-License-Identifier: GPL-3.0-or-later
// Running the system's tools from tests: mkfs, losetup, mount, xorriso. Tests that need one
// skip with the reason where the machine lacks it or the rights to use it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// mkfs and losetup live in sbin, which an ordinary user's PATH often leaves out.
inline std::string FindTool(const std::string& name) {
    std::string folders = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    folders += ":/usr/sbin:/sbin";
    std::stringstream stream(folders);
    std::string folder;
    while (std::getline(stream, folder, ':')) {
        std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return std::string();
}

inline bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// What the command printed, without its last line break.
inline std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) {
            text += chunk;
        }
        ::pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

inline std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// Detaches the loop device and unmounts whatever the test mounted, even when it fails.
struct LoopMount {
    std::string device;
    std::vector<std::filesystem::path> mountPoints;

    LoopMount() = default;
    LoopMount(const LoopMount&) = delete;
    LoopMount& operator=(const LoopMount&) = delete;
    ~LoopMount() { Release(); }

    // Attaches `image` to a free loop device; false when the machine cannot.
    bool Attach(const std::filesystem::path& image, bool readOnly = false) {
        std::string losetup = FindTool("losetup");
        if (::geteuid() != 0 || losetup.empty()) {
            return false;
        }
        device = Output(losetup + (readOnly ? " -r" : "") + " -f --show " + Quoted(image));
        return !device.empty();
    }
    void Release() {
        for (auto point = mountPoints.rbegin(); point != mountPoints.rend(); ++point) {
            RunQuietly("umount " + Quoted(*point));
        }
        mountPoints.clear();
        if (!device.empty()) {
            RunQuietly(FindTool("losetup") + " -d " + device);
            device.clear();
        }
    }
};
