// SPDX-License-Identifier: GPL-3.0-or-later
// The New disk index command without its windows: find the disk in the drive (Retry and
// Cancel while there is none), scan it, let the user name and describe it (the volume's label
// and the day it was made, or last changed, proposed), ask where to save
// it and write its index file, then eject it when the settings ask for it. The windows come
// in through the hooks, so every step and every way out can be driven by tests.
#pragma once

#include <functional>
#include <string>

#include "disk/disk_scanner.h"

class CCollDisk;
class CCollSettings;

struct CNewDiskIndexHooks {
    // The scan is about to start: show that the program is busy. endScan follows on every
    // way out of the scan, thrown exceptions included.
    std::function<void()> beginScan;
    // How far the scan has got; false stops it and ends the command with nothing written.
    ScanProgress scanProgress;
    std::function<void()> endScan;
    // The disk properties form for the scanned disk; false when the user cancels it. On true
    // the title, burn date and description are stored in the disk.
    std::function<bool(CCollDisk& disk)> editNewDisk;
    // Opens the door of the drive named by the "Drive" setting.
    std::function<void(const std::string& drive)> ejectDisk;
};

enum class CNewDiskIndexOutcome {
    cancelled,  // the user stopped it: no drive, a stopped scan or a cancelled dialog
    failed,     // the scan or the write failed, and said so
    written,
};

// Runs the command through the installed CPlatformUi. `writtenPath`, when given, receives the
// index file's path on success.
CNewDiskIndexOutcome CreateDiskIndex(CCollSettings& settings, const CNewDiskIndexHooks& hooks,
                                     std::string* writtenPath = nullptr);
