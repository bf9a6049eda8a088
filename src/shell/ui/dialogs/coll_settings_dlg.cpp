// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_settings_dlg.h"

CCollSettingsDlg::CCollSettingsDlg(CCollSettings& settings, QWidget* parent)
    : CPropertyDlg("Tamblor settings", parent), pane(settings) {
    AddPane(&pane);
}

void CCollSettingsDlg::accept() {
    CPropertyDlg::accept();
    if (pane.IsDateFormatChanged() && onDateFormatChanged) {
        onDateFormatChanged();
    }
}
