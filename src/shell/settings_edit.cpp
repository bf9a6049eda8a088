// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_edit.h"

#include "helpers/coll_settings.h"
#include "helpers/date_format.h"

std::vector<std::string> GetDateFormatNames() {
    return {CDateFormat::MonthFirst().GetName(), CDateFormat::DayFirst().GetName()};
}

CCollSettingsValues GetSettingsValues(const CCollSettings& settings) {
    CCollSettingsValues values;
    values.drive = settings.GetDrive();
    values.openLastFile = settings.GetOpenLastFile();
    values.ejectAfterScan = settings.GetEjectAfterScan();
    values.searchAsYouType = settings.GetSearchAsYouType();
    values.removeReadOnly = settings.GetRemoveReadOnly();
    const CDateFormat* format = settings.GetDateFormat();
    values.dateFormat = (format != nullptr ? *format : CDateFormat::MonthFirst()).GetName();
    return values;
}

bool ApplySettingsValues(CCollSettings& settings, const CCollSettingsValues& values) {
    settings.SetDrive(values.drive);
    settings.SetOpenLastFile(values.openLastFile);
    settings.SetEjectAfterScan(values.ejectAfterScan);
    settings.SetSearchAsYouType(values.searchAsYouType);
    settings.SetRemoveReadOnly(values.removeReadOnly);
    const CDateFormat* format = CDateFormat::FindByName(values.dateFormat);
    if (format == nullptr || format == settings.GetDateFormat()) {
        return false;
    }
    settings.SetDateFormat(*format);
    return true;
}
