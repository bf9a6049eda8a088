// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/disk_update.h"

#include <algorithm>

#include "store/coll_disk.h"

std::size_t CDiskDiff::Count(CDiskChange::Kind kind) const {
    return static_cast<std::size_t>(std::count_if(
        changes.begin(), changes.end(), [kind](const CDiskChange& c) { return c.change == kind; }));
}

// Stand-ins until the comparison is built: no difference, the volume taken as the same.
CDiskDiff CompareIndexFiles(const std::string& /*oldIndexPath*/,
                            const std::string& /*newIndexPath*/) {
    return {};
}

CDiskDiff CompareWithScan(const CCollDisk& /*stored*/, const CCollDisk& /*scanned*/) {
    return {};
}

bool IsSameVolume(const CCollDisk& stored, const CCollDisk& scanned) {
    return stored.header.GetLabel() == scanned.header.GetLabel() &&
           stored.header.serial == scanned.header.serial;
}

CResult WriteUpdatedIndex(CCollDisk& stored, CCollDisk& scanned) {
    scanned.header.burnDate = stored.header.burnDate;
    scanned.header.description = stored.header.description;
    scanned.ComputeTotals();
    CResult written = scanned.SaveIndexFile(stored.indexPath);
    if (written) {
        stored.header = scanned.header;
    }
    return written;
}
