// SPDX-License-Identifier: GPL-3.0-or-later
// The two kinds of catalogue entry. Exactly two static instances exist; items point to them.
#pragma once

#include <string>

class CCollDiskItemType {
public:
    static constexpr int folderId = 2;
    static constexpr int fileId = 3;

    static const CCollDiskItemType folderType;
    static const CCollDiskItemType fileType;

    int id;
    std::string name;
    std::string pluralName;
    bool isContainer;
};
