// SPDX-License-Identifier: GPL-3.0-or-later
// The "Settings" pane of the settings dialog: the drive, three switches and the date format.
// It fills its controls from the settings when made and hands them back on Apply.
#pragma once

#include "toolkit/ui/property_pane.h"

class CCollSettings;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CCollSettingsPane : public CPropertyPane {
    Q_OBJECT

public:
    explicit CCollSettingsPane(CCollSettings& settings, QWidget* parent = nullptr);

    bool Apply() override;
    // Whether the last Apply gave the settings another date format.
    bool IsDateFormatChanged() const { return dateFormatChanged; }

    QLineEdit* driveField = nullptr;
    QCheckBox* openLastFileBox = nullptr;
    QCheckBox* ejectAfterScanBox = nullptr;
    QCheckBox* removeReadOnlyBox = nullptr;
    QCheckBox* searchAsYouTypeBox = nullptr;
    QComboBox* dateFormatList = nullptr;

private:
    CCollSettings& settings;
    bool dateFormatChanged = false;
};
