// SPDX-License-Identifier: GPL-3.0-or-later
// A profile line that ends in a stray carriage return ("Splitter=\r\r\n", from an editor that
// doubled the line ends). Saving any other key used to write it back with a bare line feed,
// so the next load lost the CR and the untouched value changed.

#include <gtest/gtest.h>

#include <string>

#include "platform/ini_file.h"
#include "support/temp_folder.h"

TEST(IniLineEndRegression, UntouchedLinesEndingInACarriageReturnSurviveASave) {
    CTempFolder folder;
    std::string path = folder.Write("Tamblor.ini",
                                    "[Panes]\r\r\n"
                                    "Splitter=\r\r\n"
                                    "Width=12\r\r\n"
                                    "Kept=as is\r\n"
                                    "Last=\r\r");
    CIniFile ini;
    ini.Load(path);
    ASSERT_EQ(ini.GetString("Panes", "Splitter", "missing"), "\r");
    ASSERT_EQ(ini.GetString("Panes", "Width"), "12\r");
    ini.SetString("Settings", "Drive", "/dev/sr0");
    ini.Save();
    EXPECT_EQ(CTempFolder::Read(path),
              "[Panes]\r\r\n"
              "Splitter=\r\r\n"
              "Width=12\r\r\n"
              "Kept=as is\n"
              "Last=\r\r\n"
              "\n"
              "[Settings]\n"
              "Drive=/dev/sr0\n");

    CIniFile reloaded;
    reloaded.Load(path);
    EXPECT_EQ(reloaded.GetString("Panes", "Splitter", "missing"), "\r");
    EXPECT_EQ(reloaded.GetString("Panes", "Width"), "12\r");
    EXPECT_EQ(reloaded.GetInt("Panes", "Width", 0), 12);
    EXPECT_EQ(reloaded.GetString("Panes", "Last", "missing"), "\r");
    EXPECT_EQ(reloaded.GetString("Settings", "Drive"), "/dev/sr0");
}
