// SPDX-License-Identifier: GPL-3.0-or-later
// The "Tamblor settings" dialog: one "Settings" pane over the program's settings object. OK
// applies it in memory only; the profile is written at exit.
#pragma once

#include <functional>

#include "shell/ui/dialogs/coll_settings_pane.h"
#include "toolkit/ui/property_dlg.h"

class CCollSettingsDlg : public CPropertyDlg {
    Q_OBJECT

public:
    explicit CCollSettingsDlg(CCollSettings& settings, QWidget* parent = nullptr);

    // Applies the pane and closes; then, if the date format changed, calls
    // onDateFormatChanged so that every date shown can be drawn again.
    void accept() override;

    CCollSettingsPane& GetPane() { return pane; }

    std::function<void()> onDateFormatChanged;

private:
    CCollSettingsPane pane;
};
