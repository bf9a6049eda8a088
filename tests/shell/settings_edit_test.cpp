// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog's OK: every value stored as shown, and a date-format change reported
// only when the format really changed.

#include "shell/settings_edit.h"

#include <gtest/gtest.h>

#include "helpers/coll_settings.h"
#include "helpers/date_format.h"

TEST(SettingsEdit, StoresWhatWasTypedAndReportsOnlyARealDateFormatChange) {
    CCollSettings settings;
    settings.SetDrive("/dev/cdrom");
    settings.SetEjectAfterScan(true);
    EXPECT_EQ(GetDateFormatNames(), (std::vector<std::string>{"mm/dd/yyyy", "dd/mm/yyyy"}));

    CCollSettingsValues values = GetSettingsValues(settings);
    EXPECT_EQ(values.drive, "/dev/cdrom");
    EXPECT_TRUE(values.ejectAfterScan);
    EXPECT_FALSE(values.openLastFile);
    EXPECT_EQ(values.dateFormat, "mm/dd/yyyy");
    // The same format again: nothing to redraw.
    EXPECT_FALSE(ApplySettingsValues(settings, values));

    values.drive = " E: ";
    values.openLastFile = true;
    values.ejectAfterScan = false;
    values.removeReadOnly = true;
    values.dateFormat = "DD/MM/YYYY";
    EXPECT_TRUE(ApplySettingsValues(settings, values));
    EXPECT_EQ(settings.GetDrive(), " E: ");
    EXPECT_TRUE(settings.GetOpenLastFile());
    EXPECT_FALSE(settings.GetEjectAfterScan());
    EXPECT_TRUE(settings.GetRemoveReadOnly());
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::DayFirst());
    EXPECT_EQ(GetSettingsValues(settings).dateFormat, "dd/mm/yyyy");

    values.drive = "";
    values.dateFormat = "yyyy-mm-dd";
    EXPECT_FALSE(ApplySettingsValues(settings, values));
    EXPECT_EQ(settings.GetDrive(), "");
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::DayFirst());
}
