// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/disk_in_drive.h"

#include "platform/platform_ui.h"
#include "store/coll_disk.h"

std::string RecordedDiskRoot(const CCollDiskHeader& header, const std::string& drive) {
    CCollDisk expected;
    expected.header = header;
    return expected.RootInDrive(drive);
}

bool AskToInsertDisk(const std::string& title, const std::string& drive) {
    CPlatformUi* ui = GetPlatformUi();
    return ui != nullptr && ui->AskOkCancel("Please insert disk named\n" + title + "\ninto drive " +
                                            drive) == CPlatformUi::Answer::ok;
}
