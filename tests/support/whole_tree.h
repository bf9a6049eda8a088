// SPDX-License-Identifier: GPL-3.0-or-later
// Reads every level of a disk's tree from its index file as browsing would, expanding each
// folder in turn; the reader's error, if any, is thrown.
#pragma once

#include <vector>

#include "platform/file.h"
#include "store/coll_disk.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"

inline void LoadWholeTree(CCollDisk& disk) {
    disk.LoadContent();
    CFile file(disk.indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    std::vector<CCollDiskFolder*> pending;
    for (const auto& folder : disk.content.folders) {
        pending.push_back(folder.get());
    }
    while (!pending.empty()) {
        CCollDiskFolder* folder = pending.back();
        pending.pop_back();
        folder->LoadSubfolders(reader);
        for (const auto& sub : folder->content.folders) {
            pending.push_back(sub.get());
        }
    }
}
