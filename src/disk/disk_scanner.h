// SPDX-License-Identifier: GPL-3.0-or-later
// The scan of a mounted disk into a disk's tree: folders and files with their names, sizes
// and times, never their contents.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CCollDisk;
class CCollDiskFolder;
class CProblems;

// How far a scan has got: the folders and files catalogued so far, at every depth.
struct CScanCounts {
    std::int64_t folders = 0;
    std::int64_t files = 0;
};
// Told how far the scan has got after each folder is listed (and now and then inside a long
// one); answers false to stop the scan.
using ScanProgress = std::function<bool(const CScanCounts&)>;

// Reads the volume at `rootPath` (label and serial) and its whole tree into `disk`. False when
// the volume or its root cannot be read, or when a folder could not be read for a reason
// other than a refusal of access (part of a disk is never the whole); `problems` receives
// why, and the folders that refused to be read even when the scan succeeds. False with no
// problem when `progress` stopped it; the disk then holds part of the tree.
[[nodiscard]] bool ScanDisk(CCollDisk& disk, const std::string& rootPath, CProblems& problems,
                            const ScanProgress& progress = {});
// Fills `folder`'s content from the folder `path`, at every depth, without messages. False
// when the folder cannot be opened or the tree below it is knowingly incomplete.
bool ScanFolder(CCollDiskFolder& folder, const std::string& path);
