// SPDX-License-Identifier: GPL-3.0-or-later
// The New disk index command without its windows: find the disk in the drive (Retry and
// Cancel while there is none), scan it off the window's thread, let the user name and
// describe it (the volume's label and the day it was made, or last changed, proposed), ask
// where to save it and write its index file, then eject it when the settings ask for it. The
// windows come in through the hooks, so every step and every way out can be driven by tests.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "disk/disk_scanner.h"
#include "shell/job.h"

class CCollDisk;
class CCollSettings;
struct CScannedDisk;

enum class CNewDiskIndexOutcome {
    cancelled,  // the user stopped it: no drive, a stopped scan or a cancelled dialog
    failed,     // the scan or the write failed, and said so
    written,
};

// Every hook is called on the window's thread.
struct CNewDiskIndexHooks {
    // The scan is about to start: show that the program is busy. endScan follows on every
    // way out of the scan, a failed or stopped one included.
    std::function<void()> beginScan;
    // How far the scan has got, a few times a second.
    std::function<void(const CScanCounts& counts)> scanProgress;
    std::function<void()> endScan;
    // The disk properties form for the scanned disk; false when the user cancels it. On true
    // the title, burn date and description are stored in the disk.
    std::function<bool(CCollDisk& disk)> editNewDisk;
    // Opens the door of the drive named by the "Drive" setting.
    std::function<void(const std::string& drive)> ejectDisk;
    // The command is over; `writtenPath` is the index file's path when one was written.
    std::function<void(CNewDiskIndexOutcome outcome, const std::string& writtenPath)> finished;
};

// One run of the command. Lives on the window's thread; the scan reads only the drive's root
// it was handed, so nothing the user does meanwhile changes what it reads.
class CNewDiskIndex {
public:
    CNewDiskIndex(CCollSettings& settings, CNewDiskIndexHooks hooks);
    CNewDiskIndex(const CNewDiskIndex&) = delete;
    CNewDiskIndex& operator=(const CNewDiskIndex&) = delete;

    // Asks for the disk until it can be listed and starts its scan; the rest of the command
    // follows when the scan ends. False, after `finished`, when the user gave up at once.
    bool Start();
    // Cancel: the scan stops at its next entry, and the command ends with nothing written.
    void Stop();
    // For the program's exit: stops the scan and waits for it; no hook is called again.
    void Abandon();
    // From Start until `finished` has been called.
    bool IsRunning() const { return running; }
    // For tests: the clock and the interval of the scan's reports.
    CJob& GetJob() { return job; }

private:
    void OnScanned(CScannedDisk& scanned, const CProblems& thrown);
    CNewDiskIndexOutcome SaveScannedDisk(CCollDisk& disk, std::string& writtenPath);
    void End(CNewDiskIndexOutcome outcome, const std::string& writtenPath = {});

    CCollSettings& settings;
    CNewDiskIndexHooks hooks;
    CJob job;
    // Read once at the start: a change of the setting during the scan does not move the
    // eject to another drive.
    std::string drive;
    bool running = false;
    bool stopRequested = false;
};
