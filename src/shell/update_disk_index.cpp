// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/update_disk_index.h"

#include <memory>
#include <utility>

#include "helpers/coll_settings.h"
#include "helpers/problems.h"
#include "shell/coll_doc.h"
#include "shell/disk_in_drive.h"
#include "shell/disk_scan_job.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"

// What the look at the drive found. Written on the job's thread, read once it has ended.
struct CUpdateDiskIndex::CChecked {
    std::string root;  // empty while the disk is not in the drive
};

// The scan and its comparison with the index file, handed back as CChecked is.
struct CUpdateDiskIndex::CCompared {
    CScannedDisk scanned;
    CDiskDiff diff;
};

CUpdateDiskIndex::CUpdateDiskIndex(CCollDoc& document, const CCollSettings& collSettings,
                                   CUpdateDiskIndexHooks commandHooks)
    : doc(document), settings(collSettings), hooks(std::move(commandHooks)) {
    if (!hooks.compare) {
        hooks.compare = CompareWithScan;
    }
}

bool CUpdateDiskIndex::Start() {
    running = true;
    stopRequested = false;
    disk = doc.currentDisk;
    if (disk == nullptr) {
        End(CUpdateDiskIndexOutcome::cancelled);
        return false;
    }
    generation = doc.GetGeneration();
    title = disk->title;
    indexPath = disk->indexPath;
    drive = settings.GetDrive();
    CheckDrive();
    return true;
}

CCollDisk* CUpdateDiskIndex::StartedDisk() const {
    return doc.GetGeneration() == generation && doc.HasDisk(disk) ? disk : nullptr;
}

// Each look is made with the disk as it is then: a disk removed while the user was asked for
// it ends the command, as Open's does.
void CUpdateDiskIndex::CheckDrive() {
    CCollDisk* started = StartedDisk();
    if (started == nullptr) {
        End(CUpdateDiskIndexOutcome::cancelled);
        return;
    }
    header = started->header;
    auto checked = std::make_shared<CChecked>();
    job.Start([checked, recorded = header,
               named = drive](CJobContext&) { checked->root = RecordedDiskRoot(recorded, named); },
              [this, checked](const CProblems& thrown) { OnChecked(*checked, thrown); });
}

void CUpdateDiskIndex::OnChecked(const CChecked& checked, const CProblems& thrown) {
    if (!thrown.IsEmpty()) {
        ShowProblems(thrown);
        End(CUpdateDiskIndexOutcome::failed);
        return;
    }
    if (checked.root.empty()) {
        if (AskToInsertDisk(title, drive)) {
            CheckDrive();
        } else {
            End(CUpdateDiskIndexOutcome::cancelled);
        }
        return;
    }
    StartScan(checked.root);
}

void CUpdateDiskIndex::StartScan(const std::string& root) {
    scanning = true;
    if (hooks.beginScan) {
        hooks.beginScan();
    }
    auto showCounts = [this](const CScanCounts& counts) {
        if (hooks.scanProgress) {
            hooks.scanProgress(counts);
        }
    };
    auto compared = std::make_shared<CCompared>();
    job.Start(
        [compared, root, showCounts, compare = hooks.compare, path = indexPath,
         recorded = header](CJobContext& context) {
            ScanDiskInJob(context, root, compared->scanned, showCounts);
            if (!compared->scanned.complete || context.IsStopRequested()) {
                return;
            }
            // The index file as it was when the command started stands for the disk.
            CCollDisk stored;
            stored.indexPath = path;
            stored.header = recorded;
            compared->diff = compare(stored, compared->scanned.disk);
        },
        [this, compared](const CProblems& thrown) { OnCompared(*compared, thrown); });
}

void CUpdateDiskIndex::OnCompared(CCompared& compared, const CProblems& thrown) {
    scanning = false;
    if (hooks.endScan) {
        hooks.endScan();
    }
    if (stopRequested) {
        End(CUpdateDiskIndexOutcome::cancelled);
        return;
    }
    CProblems problems = compared.scanned.problems;
    problems.Append(thrown);
    ShowProblems(problems);
    if (!compared.scanned.complete || !thrown.IsEmpty()) {
        End(CUpdateDiskIndexOutcome::failed);
        return;
    }
    // Closed or removed during the scan: the user let go of the disk, so its index is left
    // alone rather than rewritten behind a collection that no longer shows it.
    if (StartedDisk() == nullptr) {
        ShowMessage("The disk %s is no longer in the collection: its index was not updated",
                    title.c_str());
        End(CUpdateDiskIndexOutcome::cancelled);
        return;
    }
    bool save = hooks.showChanges && hooks.showChanges(title, compared.diff);
    if (compared.diff.IsEmpty()) {
        End(CUpdateDiskIndexOutcome::unchanged);
        return;
    }
    CCollDisk* stored = StartedDisk();
    if (!save || stored == nullptr) {
        End(CUpdateDiskIndexOutcome::cancelled);
        return;
    }
    if (!ReportResult(WriteUpdatedIndex(*stored, compared.scanned.disk))) {
        End(CUpdateDiskIndexOutcome::failed);
        return;
    }
    doc.ReloadDisk(stored);
    End(CUpdateDiskIndexOutcome::written);
}

void CUpdateDiskIndex::Stop() {
    if (running && job.IsRunning()) {
        stopRequested = true;
        job.Stop();
    }
}

void CUpdateDiskIndex::Abandon() {
    job.Abandon();
    running = false;
    scanning = false;
}

void CUpdateDiskIndex::End(CUpdateDiskIndexOutcome outcome) {
    running = false;
    disk = nullptr;
    if (hooks.finished) {
        hooks.finished(outcome);
    }
}
