// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/new_disk_index.h"

#include <ctime>
#include <memory>
#include <optional>
#include <utility>

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "helpers/local_time.h"
#include "helpers/problems.h"
#include "platform/dir_reader.h"
#include "platform/platform_ui.h"
#include "platform/volume.h"
#include "shell/disk_edit.h"
#include "shell/disk_scan_job.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"

namespace {

// The folder where the drive's disk is mounted now, once it can be listed; empty when the
// user gives up. A folder that exists but cannot be opened is no more use than none.
std::string ProbeDrive(CPlatformUi& ui, const std::string& drive) {
    for (;;) {
        std::string root = ResolveDriveRoot(drive);
        CDirReader reader;
        if (!root.empty() && reader.Open(root)) {
            return root;
        }
        if (ui.AskRetryCancel("Failed opening folder " + drive) != CPlatformUi::Answer::retry) {
            return std::string();
        }
    }
}

// The first second of the local day of `time`; false when the day cannot be had, or lies
// outside the 32 bits a burn date is kept in.
bool LocalDayOf(Time64 time, Time32& day) {
    auto seconds = static_cast<std::time_t>(time);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return false;
    }
    Time64 first = 0;
    Time64 last = 0;
    if (!GetLocalDayBounds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, first, last) ||
        !FitsTime32(first)) {
        return false;
    }
    day = static_cast<Time32>(first);
    return true;
}

// What the user would most likely type: the volume's label as the title, and as the burn date
// the day the volume was made, or else the day its newest file or folder was last changed.
void ProposeNewDiskFields(CCollDisk& disk, const std::string& root) {
    std::string label = disk.header.GetLabel();
    if (CCollDiskEdit::IsValidTitle(label)) {
        disk.title = label;
    }
    CVolumeInfo volume;
    std::optional<std::int64_t> made;
    if (ReadVolumeInformation(root, volume)) {
        made = volume.creationTime;
    }
    Time64 newest = 0;
    if (!made && disk.content.GetNewestModifyTime(newest)) {
        made = newest;
    }
    Time32 day = 0;
    if (made && LocalDayOf(*made, day)) {
        disk.header.burnDate = day;
    }
}

}  // namespace

CNewDiskIndex::CNewDiskIndex(CCollSettings& collSettings, CNewDiskIndexHooks commandHooks)
    : settings(collSettings), hooks(std::move(commandHooks)) {}

bool CNewDiskIndex::Start() {
    running = true;
    stopRequested = false;
    CPlatformUi* ui = GetPlatformUi();
    drive = settings.GetDrive();
    std::string root = ui != nullptr ? ProbeDrive(*ui, drive) : std::string();
    if (root.empty()) {
        End(CNewDiskIndexOutcome::cancelled);
        return false;
    }
    if (hooks.beginScan) {
        hooks.beginScan();
    }
    auto scanned = std::make_shared<CScannedDisk>();
    auto showCounts = [this](const CScanCounts& counts) {
        if (hooks.scanProgress) {
            hooks.scanProgress(counts);
        }
    };
    job.Start(
        [scanned, root, showCounts](CJobContext& context) {
            ScanDiskInJob(context, root, *scanned, showCounts);
            if (scanned->complete) {
                // Reads the volume again: on a slow drive that too is kept off the window.
                ProposeNewDiskFields(scanned->disk, root);
            }
        },
        [this, scanned](const CProblems& thrown) { OnScanned(*scanned, thrown); });
    return true;
}

void CNewDiskIndex::Stop() {
    if (running && job.IsRunning()) {
        stopRequested = true;
        job.Stop();
    }
}

void CNewDiskIndex::Abandon() {
    job.Abandon();
    running = false;
}

void CNewDiskIndex::OnScanned(CScannedDisk& scanned, const CProblems& thrown) {
    if (hooks.endScan) {
        hooks.endScan();
    }
    // A scan the user stopped is thrown away, even one that ended before the stop reached it:
    // what it could not read no longer matters.
    if (stopRequested) {
        End(CNewDiskIndexOutcome::cancelled);
        return;
    }
    CProblems problems = scanned.problems;
    problems.Append(thrown);
    ShowProblems(problems);
    if (!scanned.complete || !thrown.IsEmpty()) {
        End(CNewDiskIndexOutcome::failed);
        return;
    }
    std::string writtenPath;
    CNewDiskIndexOutcome outcome = SaveScannedDisk(scanned.disk, writtenPath);
    End(outcome, writtenPath);
}

CNewDiskIndexOutcome CNewDiskIndex::SaveScannedDisk(CCollDisk& disk, std::string& writtenPath) {
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr || !hooks.editNewDisk || !hooks.editNewDisk(disk)) {
        return CNewDiskIndexOutcome::cancelled;
    }
    CFileDialogOptions options;
    options.filterName = "CD index files";
    options.filterPattern = "*.cdi";
    options.defaultExtension = "cdi";
    options.initialFolder = settings.GetLastCdiFolder();
    options.initialName = disk.title;
    options.confirmOverwrite = true;
    std::string path;
    if (!ui->ChooseSaveFile(options, path)) {
        return CNewDiskIndexOutcome::cancelled;
    }
    // The write replaces an existing file only once the new one is complete, and has said
    // why when it fails: then the folder is not remembered and the disk stays in the drive.
    if (!ReportResult(disk.SaveIndexFile(path))) {
        return CNewDiskIndexOutcome::failed;
    }
    settings.SetLastCdiFolder(CFilePath(path).GetFolderPath());
    writtenPath = path;
    if (settings.GetEjectAfterScan() && hooks.ejectDisk) {
        hooks.ejectDisk(drive);
    }
    return CNewDiskIndexOutcome::written;
}

void CNewDiskIndex::End(CNewDiskIndexOutcome outcome, const std::string& writtenPath) {
    running = false;
    if (hooks.finished) {
        hooks.finished(outcome, writtenPath);
    }
}
