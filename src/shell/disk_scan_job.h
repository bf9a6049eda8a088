// SPDX-License-Identifier: GPL-3.0-or-later
// The scan of the disk in the drive as a job's work, shared by New disk index and Update disk
// index: the counts go to the window's thread in batches, and the scan stops at the job's stop.
#pragma once

#include <functional>
#include <string>

#include "disk/disk_scanner.h"
#include "helpers/problems.h"
#include "store/coll_disk.h"

class CJobContext;

// What a scan hands back. Written by the job's thread only, read on the window's thread once
// the job has ended (its thread joined).
struct CScannedDisk {
    CCollDisk disk;
    bool complete = false;
    CProblems problems;
};

// Runs on the job's thread: scans `root` into `scanned`, its totals counted when complete.
// `show` is called on the window's thread a few times a second, and with the last counts at
// the end of a complete scan.
void ScanDiskInJob(CJobContext& context, const std::string& root, CScannedDisk& scanned,
                   const std::function<void(const CScanCounts& counts)>& show);
