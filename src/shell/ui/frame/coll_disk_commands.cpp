// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_disk_commands.h"

#include <memory>

#include "platform/ui/disk_eject.h"
#include "shell/coll_session.h"
#include "shell/new_disk_index.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/dialogs/wait_box.h"

void RunNewDiskIndex(CCollSession& session, QWidget* parent) {
    // The box goes as soon as the scan ends: the dialogs that follow wait for the user, not
    // for the disk.
    std::unique_ptr<CWaitBox> waitBox;
    CNewDiskIndexHooks hooks;
    hooks.beginScan = [&waitBox, parent] {
        waitBox = std::make_unique<CWaitBox>("Please wait while scanning disk", parent);
    };
    hooks.scanProgress = [&waitBox](const CScanCounts& counts) {
        return waitBox->OnProgress(counts.folders, counts.files);
    };
    hooks.endScan = [&waitBox] { waitBox.reset(); };
    hooks.editNewDisk = [parent](CCollDisk& disk) {
        CCollDiskDlg dialog(disk, CCollDiskDlg::Mode::newDisk, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.ejectDisk = [](const std::string& drive) { EjectDisk(drive); };
    CreateDiskIndex(session.settings, hooks);
}
