// SPDX-License-Identifier: GPL-3.0-or-later
// The collections used most recently, newest first, kept in the profile as "File1".."File4"
// of section "Recent File List".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CIniFile;

class CRecentFileList {
public:
    static constexpr std::size_t maxEntries = 4;
    static constexpr char section[] = "Recent File List";

    // Empty entries in the profile are skipped.
    void Load(const CIniFile& ini);
    // Writes the entries from "File1" on and removes the keys of the places left empty.
    void Save(CIniFile& ini) const;

    // Puts `path` on top, taking it from further down if it is there already.
    void Add(const std::string& path);
    // For a collection that failed to open.
    void Remove(const std::string& path);

    const std::vector<std::string>& GetEntries() const { return entries; }
    // The most recent path, or empty.
    std::string GetFirst() const;

    static std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

private:
    std::vector<std::string> entries;
};
