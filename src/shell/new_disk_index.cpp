// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/new_disk_index.h"

#include <ctime>
#include <optional>
#include <utility>

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "helpers/local_time.h"
#include "helpers/problems.h"
#include "helpers/show_message.h"
#include "platform/dir_reader.h"
#include "platform/platform_ui.h"
#include "platform/volume.h"
#include "shell/disk_edit.h"
#include "store/coll_disk.h"

namespace {

// Calls `leave` when the scope ends, however it ends.
template <typename Leave>
class CScopeExit {
public:
    explicit CScopeExit(Leave leave) : leave(std::move(leave)) {}
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;
    ~CScopeExit() { leave(); }

private:
    Leave leave;
};

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

// Scans behind the busy window and the wait cursor, both gone again when this returns.
// `stopped` tells apart a scan the user stopped from one that failed.
bool ScanBusily(CPlatformUi& ui, const CNewDiskIndexHooks& hooks, CCollDisk& disk,
                const std::string& root, bool& stopped) {
    if (hooks.beginScan) {
        hooks.beginScan();
    }
    ui.SetWaitCursor(true);
    auto leave = [&ui, &hooks] {
        ui.SetWaitCursor(false);
        if (hooks.endScan) {
            hooks.endScan();
        }
    };
    CScopeExit<decltype(leave)> ending(leave);
    ScanProgress progress = [&hooks, &stopped](const CScanCounts& counts) {
        if (hooks.scanProgress && !hooks.scanProgress(counts)) {
            stopped = true;
        }
        return !stopped;
    };
    CProblems problems;
    bool scanned = ScanDisk(disk, root, problems, progress);
    for (const std::string& text : problems.GetTexts()) {
        ShowMessage("%s", text.c_str());
    }
    return scanned;
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

CNewDiskIndexOutcome CreateDiskIndex(CCollSettings& settings, const CNewDiskIndexHooks& hooks,
                                     std::string* writtenPath) {
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr) {
        return CNewDiskIndexOutcome::cancelled;
    }
    const std::string drive = settings.GetDrive();
    std::string root = ProbeDrive(*ui, drive);
    if (root.empty()) {
        return CNewDiskIndexOutcome::cancelled;
    }

    CCollDisk disk;
    bool stopped = false;
    if (!ScanBusily(*ui, hooks, disk, root, stopped)) {
        return stopped ? CNewDiskIndexOutcome::cancelled : CNewDiskIndexOutcome::failed;
    }
    disk.ComputeTotals();
    ProposeNewDiskFields(disk, root);

    if (!hooks.editNewDisk || !hooks.editNewDisk(disk)) {
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
    if (!disk.SaveIndexFile(path)) {
        return CNewDiskIndexOutcome::failed;
    }
    settings.SetLastCdiFolder(CFilePath(path).GetFolderPath());
    if (writtenPath != nullptr) {
        *writtenPath = path;
    }
    if (settings.GetEjectAfterScan() && hooks.ejectDisk) {
        hooks.ejectDisk(drive);
    }
    return CNewDiskIndexOutcome::written;
}
