// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/recent_file_list.h"

#include <utility>

#include "platform/ini_file.h"

void CRecentFileList::Load(const CIniFile& ini) {
    entries.clear();
    for (std::size_t i = 0; i < maxEntries; ++i) {
        std::string path = ini.GetString(section, KeyOf(i));
        if (!path.empty()) {
            entries.push_back(std::move(path));
        }
    }
}

void CRecentFileList::Save(CIniFile& ini) const {
    for (std::size_t i = 0; i < maxEntries; ++i) {
        if (i < entries.size()) {
            ini.SetString(section, KeyOf(i), entries[i]);
        } else {
            ini.RemoveKey(section, KeyOf(i));
        }
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    std::erase(entries, path);
    entries.insert(entries.begin(), path);
    if (entries.size() > maxEntries) {
        entries.resize(maxEntries);
    }
}

void CRecentFileList::Remove(const std::string& path) {
    std::erase(entries, path);
}

std::string CRecentFileList::GetFirst() const {
    return entries.empty() ? std::string() : entries.front();
}
