// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_disk_commands.h"

#include "platform/ui/disk_eject.h"
#include "shell/coll_session.h"
#include "shell/item_commands.h"
#include "shell/new_disk_index.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/dialogs/copy_progress_dlg.h"
#include "shell/ui/dialogs/disk_changes_dlg.h"
#include "shell/ui/dialogs/wait_box.h"
#include "shell/update_disk_index.h"
#include "store/coll_item.h"

CDriveCommands::CDriveCommands(CCollSession& owner, QWidget* parent)
    : session(owner), window(parent) {}

CDriveCommands::~CDriveCommands() {
    AbandonAll();
}

bool CDriveCommands::IsBusy() const {
    return (newDiskIndex != nullptr && newDiskIndex->IsRunning()) ||
           (updateDiskIndex != nullptr && updateDiskIndex->IsScanning()) ||
           (itemCommands != nullptr && itemCommands->IsCopying());
}

bool CDriveCommands::IsAnyRunning() const {
    return IsBusy() || (itemCommands != nullptr && itemCommands->IsRunning()) ||
           (updateDiskIndex != nullptr && updateDiskIndex->IsRunning());
}

void CDriveCommands::NewDiskIndex() {
    if (IsAnyRunning()) {
        return;
    }
    CNewDiskIndexHooks hooks;
    hooks.beginScan = [this] { ShowScanBox([this] { newDiskIndex->Stop(); }); };
    hooks.scanProgress = [this](const CScanCounts& counts) { ShowScanCounts(counts); };
    // The box goes as soon as the scan ends: the dialogs that follow wait for the user, not
    // for the disk.
    hooks.endScan = [this] { waitBox.reset(); };
    hooks.editNewDisk = [this](CCollDisk& disk) {
        CCollDiskDlg dialog(disk, CCollDiskDlg::Mode::newDisk, window);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.ejectDisk = [](const std::string& drive) { EjectDisk(drive); };
    hooks.finished = [this](CNewDiskIndexOutcome, const std::string&) { BusyChanged(); };
    newDiskIndex = std::make_unique<CNewDiskIndex>(session.settings, std::move(hooks));
    if (newDiskIndex->Start()) {
        BusyChanged();
    }
}

void CDriveCommands::UpdateDiskIndex() {
    if (IsAnyRunning()) {
        return;
    }
    CUpdateDiskIndexHooks hooks;
    hooks.beginScan = [this] {
        ShowScanBox([this] { updateDiskIndex->Stop(); });
        BusyChanged();
    };
    hooks.scanProgress = [this](const CScanCounts& counts) { ShowScanCounts(counts); };
    hooks.endScan = [this] {
        waitBox.reset();
        BusyChanged();
    };
    hooks.showChanges = [this](const std::string& title, const CDiskDiff& diff) {
        CDiskChangesDlg dialog(title, diff, window);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.finished = [this](CUpdateDiskIndexOutcome) { BusyChanged(); };
    updateDiskIndex =
        std::make_unique<CUpdateDiskIndex>(session.doc, session.settings, std::move(hooks));
    if (updateDiskIndex->Start()) {
        BusyChanged();
    }
}

void CDriveCommands::ShowScanBox(const std::function<void()>& stop) {
    waitBox = std::make_unique<CWaitBox>("Please wait while scanning disk", window);
    QObject::connect(waitBox.get(), &CWaitBox::Cancelled, stop);
}

void CDriveCommands::ShowScanCounts(const CScanCounts& counts) {
    if (waitBox != nullptr) {
        waitBox->OnProgress(counts.folders, counts.files);
    }
}

void CDriveCommands::MakeItemCommands() {
    if (itemCommands == nullptr) {
        itemCommands = std::make_unique<CItemCommands>(session.doc, session.settings);
        itemCommands->onChanged = [this] { BusyChanged(); };
    }
}

void CDriveCommands::OpenItem(const CCollItem& item) {
    if (IsAnyRunning()) {
        return;
    }
    MakeItemCommands();
    itemCommands->OpenItem(item);
    BusyChanged();
}

void CDriveCommands::CopyItem(const CCollItem& item) {
    if (IsAnyRunning()) {
        return;
    }
    MakeItemCommands();
    if (copyProgress == nullptr) {
        copyProgress = std::make_unique<CCopyProgressDlg>(window);
        QObject::connect(copyProgress.get(), &CCopyProgressDlg::Cancelled,
                         [this] { itemCommands->Stop(); });
    }
    itemCommands->CopyItem(item, copyProgress.get());
    BusyChanged();
}

void CDriveCommands::AbandonAll() {
    if (newDiskIndex != nullptr) {
        newDiskIndex->Abandon();
    }
    if (updateDiskIndex != nullptr) {
        updateDiskIndex->Abandon();
    }
    waitBox.reset();
    if (itemCommands != nullptr) {
        itemCommands->Abandon();
    }
    copyProgress.reset();
}

void CDriveCommands::BusyChanged() {
    if (onBusyChanged) {
        onBusyChanged();
    }
}
