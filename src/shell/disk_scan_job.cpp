// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/disk_scan_job.h"

#include "shell/job.h"

void ScanDiskInJob(CJobContext& context, const std::string& root, CScannedDisk& scanned,
                   const std::function<void(const CScanCounts& counts)>& show) {
    // The counts are handed on by value: the batches never touch the disk being built.
    CScanCounts last;
    ScanProgress progress = [&context, &show, &last](const CScanCounts& counts) {
        last = counts;
        if (context.IsTimeToReport()) {
            context.Post([show, counts] { show(counts); });
        }
        return !context.IsStopRequested();
    };
    scanned.complete = ScanDisk(scanned.disk, root, scanned.problems, progress);
    if (scanned.complete) {
        context.Post([show, last] { show(last); });
        scanned.disk.ComputeTotals();
    }
}
