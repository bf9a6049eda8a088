// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that read the disk in the drive: New disk index, Update disk index, and
// opening and copying a catalogued item. Their slow parts run off the window's thread behind a
// modeless window that can stop them; one runs at a time, and the frame disables the others
// meanwhile.
#pragma once

#include <functional>
#include <memory>

class CCollSession;
class CItemCommands;
class CNewDiskIndex;
class CUpdateDiskIndex;
class CWaitBox;
class CCopyProgressDlg;
class QWidget;
struct CCollItem;
struct CScanCounts;

class CDriveCommands {
public:
    CDriveCommands(CCollSession& session, QWidget* window);
    ~CDriveCommands();
    CDriveCommands(const CDriveCommands&) = delete;
    CDriveCommands& operator=(const CDriveCommands&) = delete;

    // Each does nothing while another command reads the drive.
    void NewDiskIndex();
    // The current disk's, shown before it is saved.
    void UpdateDiskIndex();
    void OpenItem(const CCollItem& item);
    void CopyItem(const CCollItem& item);

    // A scan or a copy is reading the drive: the commands that need it are disabled. The
    // short look at the drive before an open or a copy only makes them wait.
    bool IsBusy() const;
    // For the program's exit: stops what runs and waits for it (a copy's partial file is
    // removed); nothing more is asked or shown.
    void AbandonAll();
    // A command started or ended: the frame enables its commands again.
    std::function<void()> onBusyChanged;

private:
    bool IsAnyRunning() const;
    void BusyChanged();
    // The modeless box of a scan; its Cancel calls `stop`.
    void ShowScanBox(const std::function<void()>& stop);
    // A scan's counts, in its box while one is up.
    void ShowScanCounts(const CScanCounts& counts);
    // Open and Copy share one runner, made the first time either is asked for.
    void MakeItemCommands();

    CCollSession& session;
    QWidget* window;
    // Kept from one command to the next: a command ends inside its own callbacks, where it
    // cannot be destroyed.
    std::unique_ptr<CNewDiskIndex> newDiskIndex;
    std::unique_ptr<CUpdateDiskIndex> updateDiskIndex;
    std::unique_ptr<CWaitBox> waitBox;
    std::unique_ptr<CItemCommands> itemCommands;
    std::unique_ptr<CCopyProgressDlg> copyProgress;
};
