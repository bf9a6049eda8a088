// SPDX-License-Identifier: GPL-3.0-or-later
// The user's preferences while the program runs: read from the profile at start-up, edited
// by the settings dialog, written back at exit. The one object registers itself so that every
// part of the program can reach it through GetSettings().
#pragma once

#include <string>

class CDateFormat;
class CIniFile;

class CCollSettings {
public:
    static constexpr char section[] = "Settings";
    // The drive when the profile names none.
    static constexpr char defaultDrive[] = "/dev/cdrom";

    CCollSettings();
    CCollSettings(const CCollSettings&) = delete;
    CCollSettings& operator=(const CCollSettings&) = delete;
    ~CCollSettings();

    // Reads every key. False when "DateFormat" is missing or names no format; the month-first
    // format applies then and the other keys are read all the same.
    bool Load(const CIniFile& ini);
    void Save(CIniFile& ini) const;
    // The most recent collection of the previous run, or empty.
    static std::string GetLastFile(const CIniFile& ini);

    const CDateFormat* GetDateFormat() const { return dateFormat; }
    void SetDateFormat(const CDateFormat& format) { dateFormat = &format; }
    bool GetOpenLastFile() const { return openLastFile != 0; }
    void SetOpenLastFile(bool on) { openLastFile = on ? 1 : 0; }
    bool GetEjectAfterScan() const { return ejectAfterScan != 0; }
    void SetEjectAfterScan(bool on) { ejectAfterScan = on ? 1 : 0; }
    bool GetRemoveReadOnly() const { return removeReadOnly != 0; }
    void SetRemoveReadOnly(bool on) { removeReadOnly = on ? 1 : 0; }
    bool GetSearchWithMemoryMappedFile() const { return searchWithMemoryMappedFile != 0; }
    // A search starts by itself a moment after the words or a criterion change.
    bool GetSearchAsYouType() const { return searchAsYouType != 0; }
    void SetSearchAsYouType(bool on) { searchAsYouType = on ? 1 : 0; }
    std::string GetDrive() const { return drive; }
    void SetDrive(const std::string& text) { drive = text; }
    std::string GetLastCdiFolder() const { return lastCdiFolder; }
    void SetLastCdiFolder(const std::string& text) { lastCdiFolder = text; }

private:
    const CDateFormat* dateFormat;
    // Flags keep the number the profile holds, so a value written by hand goes back as it was.
    int openLastFile = 0;
    int ejectAfterScan = 0;
    int removeReadOnly = 0;
    // No control in the dialog: set only by editing the profile.
    int searchWithMemoryMappedFile = 0;
    int searchAsYouType = 1;
    std::string drive;
    std::string lastCdiFolder;
};

// The program's settings, or null while none exist.
CCollSettings* GetSettings();
// The date format every date is shown and typed in: the settings', or month first while no
// settings exist.
const CDateFormat& GetShownDateFormat();
