// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "platform/file_exception.h"
#include "support/temp_folder.h"

namespace {

std::ptrdiff_t CountEntries(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
}

}  // namespace

TEST(IniFile, ReadsIgnoringCaseAndEditsInPlaceKeepingEverythingElse) {
    CTempFolder folder;
    std::string path = folder.Write("Tamblor.ini",
                                    "\xEF\xBB\xBF"
                                    "Orphan=before any section\r\n"
                                    "[Settings]\r\n"
                                    "; Drive=commented out\r\n"
                                    "  Drive = /media/my cdrom  \r\n"
                                    "Folder=\"/home/ann\"\r\n"
                                    "Odd line\r\n"
                                    "Width=12abc\r\n"
                                    "Empty=\r\n"
                                    "\r\n"
                                    "[ private ]\r\n"
                                    "Mine=kept as is  ");
    CIniFile ini;
    ini.Load(path);
    EXPECT_EQ(ini.GetString("SETTINGS", "drive"), "/media/my cdrom");
    EXPECT_EQ(ini.GetString("Settings", "Folder"), "\"/home/ann\"");
    EXPECT_EQ(ini.GetString("Settings", "Odd line", "none"), "none");
    EXPECT_EQ(ini.GetString("", "Orphan", "none"), "none");
    EXPECT_EQ(ini.GetString("Private", "Mine"), "kept as is");
    EXPECT_EQ(ini.GetInt("Settings", "Width", 7), 12);
    EXPECT_EQ(ini.GetInt("Settings", "Folder", 7), 0);
    EXPECT_EQ(ini.GetInt("Settings", "Empty", 7), 7);
    EXPECT_EQ(ini.GetInt("Settings", "Missing", 7), 7);

    ini.SetString("settings", "DRIVE", "/dev/sr1");
    ini.SetInt("Settings", "EjectDiskAfterScan", -1);
    ini.RemoveKey("Settings", "width");
    ini.SetString("Recent File List", "File1", "/home/ann/a.col\nFile2=/injected");
    ini.Save();
    EXPECT_EQ(CTempFolder::Read(path),
              "\xEF\xBB\xBF"
              "Orphan=before any section\n"
              "[Settings]\n"
              "; Drive=commented out\n"
              "Drive=/dev/sr1\n"
              "Folder=\"/home/ann\"\n"
              "Odd line\n"
              "Empty=\n"
              "EjectDiskAfterScan=-1\n"
              "\n"
              "[ private ]\n"
              "Mine=kept as is  \n"
              "\n"
              "[Recent File List]\n"
              "File1=/home/ann/a.col\n");
    // Replaced whole: no temporary file is left beside it.
    EXPECT_EQ(CountEntries(folder.Path()), 1);
}

TEST(IniFile, MissingFileIsEmptyAndUnwritablePlaceIsAFileError) {
    CTempFolder folder;
    CIniFile ini;
    ini.Load(folder.Path("new.ini"));
    ini.SetString("B", "k", "1");
    ini.SetString("A", "k", "2");
    ini.SetString("b", "j", "3");
    ini.Save();
    EXPECT_EQ(CTempFolder::Read(folder.Path("new.ini")), "[B]\nk=1\nj=3\n\n[A]\nk=2\n");

    CIniFile lost;
    lost.Load(folder.Path("no such folder/Tamblor.ini"));
    lost.SetString("A", "k", "1");
    try {
        lost.Save();
        FAIL() << "saved into a folder that does not exist";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.GetCause(), CFileException::fileNotFound);
        EXPECT_EQ(error.GetFileName(), folder.Path("no such folder/Tamblor.ini"));
    }
    EXPECT_EQ(CountEntries(folder.Path()), 1);
    EXPECT_THROW(lost.Load(folder.Path()), CFileException);
}
