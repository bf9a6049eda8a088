// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings dialog shows and what its OK does to the settings, without the widgets:
// the dialog fills its controls from GetSettingsValues and hands them back to
// ApplySettingsValues.
#pragma once

#include <string>
#include <vector>

class CCollSettings;

struct CCollSettingsValues {
    // Exactly as typed: not trimmed, not checked, empty allowed.
    std::string drive;
    bool openLastFile = false;
    bool ejectAfterScan = false;
    bool removeReadOnly = false;
    bool searchAsYouType = true;
    // The name of a date format, as the list shows it.
    std::string dateFormat;
};

// The entries of the date-format list, in the order shown.
std::vector<std::string> GetDateFormatNames();
CCollSettingsValues GetSettingsValues(const CCollSettings& settings);
// Stores every value; true when the date format is now another one, so that every date shown
// must be drawn again. A name that is no format leaves the format as it was.
bool ApplySettingsValues(CCollSettings& settings, const CCollSettingsValues& values);
