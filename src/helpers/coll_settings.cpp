// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/coll_settings.h"

#include "helpers/date_format.h"
#include "helpers/recent_file_list.h"
#include "platform/ini_file.h"

namespace {

CCollSettings* registered = nullptr;

constexpr char keyDateFormat[] = "DateFormat";
constexpr char keyDrive[] = "Drive";
constexpr char keyOpenLastFile[] = "OpenLastFileAtStartup";
constexpr char keyEjectAfterScan[] = "EjectDiskAfterScan";
constexpr char keyRemoveReadOnly[] = "RemoveReadonlyAttributeWhenCopying";
constexpr char keyLastCdiFolder[] = "LastCdiFolder";
constexpr char keySearchWithMemoryMappedFile[] = "SearchWithMemoryMappedFile";
constexpr char keySearchAsYouType[] = "SearchAsYouType";

}  // namespace

CCollSettings::CCollSettings() : dateFormat(&CDateFormat::MonthFirst()) {
    registered = this;
}

CCollSettings::~CCollSettings() {
    if (registered == this) {
        registered = nullptr;
    }
}

CCollSettings* GetSettings() {
    return registered;
}

bool CCollSettings::Load(const CIniFile& ini) {
    const CDateFormat* format = CDateFormat::FindByName(ini.GetString(section, keyDateFormat));
    dateFormat = format != nullptr ? format : &CDateFormat::MonthFirst();
    drive = ini.GetString(section, keyDrive, defaultDrive);
    openLastFile = ini.GetInt(section, keyOpenLastFile, 0);
    ejectAfterScan = ini.GetInt(section, keyEjectAfterScan, 0);
    removeReadOnly = ini.GetInt(section, keyRemoveReadOnly, 0);
    lastCdiFolder = ini.GetString(section, keyLastCdiFolder);
    searchWithMemoryMappedFile = ini.GetInt(section, keySearchWithMemoryMappedFile, 0);
    searchAsYouType = ini.GetInt(section, keySearchAsYouType, 1);
    return format != nullptr;
}

void CCollSettings::Save(CIniFile& ini) const {
    ini.SetString(section, keyDrive, drive);
    ini.SetInt(section, keyOpenLastFile, openLastFile);
    ini.SetInt(section, keyEjectAfterScan, ejectAfterScan);
    ini.SetInt(section, keyRemoveReadOnly, removeReadOnly);
    ini.SetString(section, keyDateFormat, dateFormat->GetName());
    ini.SetString(section, keyLastCdiFolder, lastCdiFolder);
    ini.SetInt(section, keySearchWithMemoryMappedFile, searchWithMemoryMappedFile);
    ini.SetInt(section, keySearchAsYouType, searchAsYouType);
}

std::string CCollSettings::GetLastFile(const CIniFile& ini) {
    return ini.GetString(CRecentFileList::section, CRecentFileList::KeyOf(0));
}

const CDateFormat& GetShownDateFormat() {
    const CCollSettings* settings = GetSettings();
    const CDateFormat* format = settings != nullptr ? settings->GetDateFormat() : nullptr;
    return format != nullptr ? *format : CDateFormat::MonthFirst();
}
