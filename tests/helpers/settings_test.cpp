// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "disk/fs_utils.h"
#include "helpers/coll_settings.h"
#include "helpers/date_format.h"
#include "helpers/file_path.h"
#include "helpers/recent_file_list.h"
#include "platform/ini_file.h"
#include "platform/path_status.h"
#include "platform/user_folders.h"
#include "shell/ini_location.h"
#include "support/temp_folder.h"

namespace {

// Sets an environment variable (null unsets it) for the life of the object.
struct CEnvironmentValue {
    CEnvironmentValue(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) {
            saved = old;
        }
        Set(value);
    }
    ~CEnvironmentValue() { Set(saved ? saved->c_str() : nullptr); }
    void Set(const char* value) const {
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }

    const char* name;
    std::optional<std::string> saved;
};

CIniFile LoadIni(const std::string& path) {
    CIniFile ini;
    ini.Load(path);
    return ini;
}

}  // namespace

TEST(Settings, FirstRunUsesTheDefaultsAndWritesEveryKeyInOrder) {
    CTempFolder folder;
    {
        CCollSettings settings;
        EXPECT_EQ(GetSettings(), &settings);
        EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::MonthFirst());
        CIniFile ini = LoadIni(folder.Path("Tamblor.ini"));
        EXPECT_FALSE(settings.Load(ini));
        EXPECT_EQ(settings.GetDrive(), "/dev/cdrom");
        EXPECT_EQ(CCollSettings::GetLastFile(ini), "");
        EXPECT_TRUE(settings.GetSearchAsYouType());
        settings.SetEjectAfterScan(true);
        settings.Save(ini);
        ini.Save();
    }
    EXPECT_EQ(GetSettings(), nullptr);
    EXPECT_EQ(CTempFolder::Read(folder.Path("Tamblor.ini")),
              "[Settings]\nDrive=/dev/cdrom\nOpenLastFileAtStartup=0\nEjectDiskAfterScan=1\n"
              "RemoveReadonlyAttributeWhenCopying=0\nDateFormat=mm/dd/yyyy\nLastCdiFolder=\n"
              "SearchWithMemoryMappedFile=0\nSearchAsYouType=1\n");
}

TEST(Settings, LoadSaveCycleKeepsHandEditedValues) {
    CTempFolder folder;
    std::string path = folder.Write("Tamblor.ini",
                                    "[settings]\n"
                                    "dateformat=DD/MM/YYYY\n"
                                    "SearchWithMemoryMappedFile=2\n"
                                    "SearchAsYouType=0\n"
                                    "LastCdiFolder=/home/ann/Index/\n"
                                    "\n"
                                    "[DisksTable]\n"
                                    "Title=120\n");
    CCollSettings settings;
    CIniFile ini = LoadIni(path);
    EXPECT_TRUE(settings.Load(ini));
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::DayFirst());
    EXPECT_TRUE(settings.GetSearchWithMemoryMappedFile());
    EXPECT_FALSE(settings.GetSearchAsYouType());
    EXPECT_EQ(settings.GetLastCdiFolder(), "/home/ann/Index/");
    settings.SetDrive("E:");
    settings.Save(ini);
    ini.Save();
    EXPECT_EQ(
        CTempFolder::Read(path),
        "[settings]\ndateformat=dd/mm/yyyy\nSearchWithMemoryMappedFile=2\n"
        "SearchAsYouType=0\nLastCdiFolder=/home/ann/Index/\nDrive=E:\nOpenLastFileAtStartup=0\n"
        "EjectDiskAfterScan=0\nRemoveReadonlyAttributeWhenCopying=0\n\n"
        "[DisksTable]\nTitle=120\n");

    // A format the program does not know still lets the other keys apply.
    settings.SetDateFormat(CDateFormat::DayFirst());
    CIniFile unknown = LoadIni(folder.Write(
        "Other.ini",
        "[Settings]\nDateFormat=yyyy-mm-dd\nDrive=/media/cdrom\nEjectDiskAfterScan=1\n"));
    EXPECT_FALSE(settings.Load(unknown));
    EXPECT_EQ(settings.GetDateFormat(), &CDateFormat::MonthFirst());
    EXPECT_EQ(settings.GetDrive(), "/media/cdrom");
    EXPECT_TRUE(settings.GetEjectAfterScan());
}

TEST(RecentFileList, KeepsFourNewestFirstAndRewritesItsSection) {
    CTempFolder folder;
    std::string path =
        folder.Write("Tamblor.ini",
                     "[Recent File List]\nFile1=\nFile2=/a.col\nFile4=/b.col\n[MainFrame]\nX=1\n");
    CIniFile ini = LoadIni(path);
    CRecentFileList recent;
    recent.Load(ini);
    EXPECT_EQ(recent.GetEntries(), (std::vector<std::string>{"/a.col", "/b.col"}));
    for (const char* name : {"/c.col", "/d.col", "/e.col", "", "/c.col"}) {
        recent.Add(name);
    }
    recent.Remove("/d.col");
    EXPECT_EQ(recent.GetEntries(), (std::vector<std::string>{"/c.col", "/e.col", "/a.col"}));

    recent.Save(ini);
    ini.Save();
    EXPECT_EQ(CTempFolder::Read(path),
              "[Recent File List]\nFile1=/c.col\nFile2=/e.col\nFile3=/a.col\n[MainFrame]\nX=1\n");
    EXPECT_EQ(CCollSettings::GetLastFile(LoadIni(path)), "/c.col");
}

TEST(Settings, IniFileBesideAPortableOrBuiltProgramElseInTheConfigFolder) {
    CTempFolder folder;
    CEnvironmentValue config("XDG_CONFIG_HOME", folder.Path("config").c_str());
    // A folder that holds the profile already is portable, and a build tree keeps its own.
    folder.Write("portable/Tamblor.ini");
    EXPECT_EQ(FindIniPath(folder.Path("portable/tamblor")), folder.Path("portable/Tamblor.ini"));
    folder.Write("build/CMakeCache.txt");
    EXPECT_EQ(FindIniPath(folder.Path("build/tamblor")), folder.Path("build/Tamblor.ini"));
    EXPECT_EQ(FindIniPath(), CFilePath::FromExecutable().GetFolderPath() + "Tamblor.ini");
    EXPECT_FALSE(IsDirectory(folder.Path("config/Tamblor")));

    // Installed: never beside the program, even in a folder it may write to (as root may).
    folder.Write("usr/bin/tamblor");
    EXPECT_EQ(FindIniPath(folder.Path("usr/bin/tamblor")),
              folder.Path("config/Tamblor/Tamblor.ini"));
    EXPECT_TRUE(IsDirectory(folder.Path("config/Tamblor")));
    EXPECT_FALSE(PathExists(folder.Path("usr/bin/Tamblor.ini")));

    CEnvironmentValue home("HOME", folder.Path("home").c_str());
    for (const char* ignored : {static_cast<const char*>(nullptr), "relative/config"}) {
        CEnvironmentValue unset("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(FindIniPath(folder.Path("usr/bin/tamblor")),
                  folder.Path("home/.config/Tamblor/Tamblor.ini"));
    }
    // Without a usable $HOME the account's home folder stands in.
    CEnvironmentValue noConfig("XDG_CONFIG_HOME", nullptr);
    CEnvironmentValue relativeHome("HOME", "relative/home");
    std::string configFolder = GetConfigFolder();
    EXPECT_EQ(configFolder.front(), '/');
    EXPECT_EQ(configFolder.substr(configFolder.size() - 8), "/.config");
}
