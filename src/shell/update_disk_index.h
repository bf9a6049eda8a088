// SPDX-License-Identifier: GPL-3.0-or-later
// The Update disk index command without its windows: ask for the current disk in the drive
// by its title, scan it off the window's thread, compare the scan with its index file (off
// the window's thread too), show the differences, and rewrite the index file only when the
// user saves them. The windows come in through the hooks, so every way out can be tested.
#pragma once

#include <functional>
#include <string>

#include "disk/disk_scanner.h"
#include "disk/disk_update.h"
#include "shell/job.h"
#include "store/coll_disk_header.h"

class CCollDisk;
class CCollDoc;
class CCollSettings;
struct CScannedDisk;

enum class CUpdateDiskIndexOutcome {
    cancelled,  // the user stopped it, or the disk left the collection meanwhile
    failed,     // the scan, the comparison or the write failed, and said so
    unchanged,  // the disk is as its index file says: nothing was written
    written,
};

// Every hook but `compare` is called on the window's thread.
struct CUpdateDiskIndexHooks {
    // As for New disk index: endScan follows beginScan on every way out, after the comparison.
    std::function<void()> beginScan;
    std::function<void(const CScanCounts& counts)> scanProgress;
    std::function<void()> endScan;
    // Shows the differences of the disk titled `title`; true when the user saves them. With
    // none it only says so (its answer is not asked for).
    std::function<bool(const std::string& title, const CDiskDiff& diff)> showChanges;
    // On the job's thread: the comparison, CompareWithScan unless a test gives another.
    std::function<CDiskDiff(const CCollDisk& stored, const CCollDisk& scanned)> compare;
    std::function<void(CUpdateDiskIndexOutcome outcome)> finished;
};

// One run of the command. Lives on the window's thread; what runs off it works on copies,
// so a disk removed or a collection closed meanwhile is never reached from there.
class CUpdateDiskIndex {
public:
    CUpdateDiskIndex(CCollDoc& doc, const CCollSettings& settings, CUpdateDiskIndexHooks hooks);
    CUpdateDiskIndex(const CUpdateDiskIndex&) = delete;
    CUpdateDiskIndex& operator=(const CUpdateDiskIndex&) = delete;

    // Starts on the current disk; false, after `finished`, when there is none.
    bool Start();
    // Cancel during the scan: it stops at its next entry and nothing is written.
    void Stop();
    // For the program's exit: stops and waits; no hook is called again.
    void Abandon();
    // From Start until `finished`.
    bool IsRunning() const { return running; }
    // From the start of the scan to the end of the comparison, when the wait box shows.
    bool IsScanning() const { return scanning; }
    // For tests: the clock and the interval of the scan's reports.
    CJob& GetJob() { return job; }

private:
    struct CChecked;
    struct CCompared;
    // The disk the command started on, while the collection still lists it; else null.
    CCollDisk* StartedDisk() const;
    void CheckDrive();
    void OnChecked(const CChecked& checked, const CProblems& thrown);
    void StartScan(const std::string& root);
    void OnCompared(CCompared& compared, const CProblems& thrown);
    void End(CUpdateDiskIndexOutcome outcome);

    CCollDoc& doc;
    const CCollSettings& settings;
    CUpdateDiskIndexHooks hooks;
    CJob job;
    // What the command acts on, copied when it started: the pointer is only compared until
    // the document is found to list it still, in the same collection.
    CCollDisk* disk = nullptr;
    std::uint64_t generation = 0;
    std::string title;
    std::string indexPath;
    CCollDiskHeader header;
    std::string drive;
    bool running = false;
    bool stopRequested = false;
    bool scanning = false;
};
