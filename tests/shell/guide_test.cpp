// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/guide.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "helpers/file_path.h"
#include "platform/path_status.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

using Calls = std::vector<std::string>;

// A temporary folder named by its resolved path, as the guide's path comes back resolved.
struct GuideFixture {
    std::string Path(const std::string& relative) const {
        return GetRealPath(folder.Path()) + "/" + relative;
    }
    CTempFolder folder;
    CMessageRecorder messages;
    CScriptedPlatformUi ui;
};

// Makes `folder` the current folder for as long as it lives.
class CCurrentFolder {
public:
    explicit CCurrentFolder(const std::string& folder) : previous(GetCurrentFolder()) {
        EXPECT_EQ(::chdir(folder.c_str()), 0);
    }
    CCurrentFolder(const CCurrentFolder&) = delete;
    CCurrentFolder& operator=(const CCurrentFolder&) = delete;
    ~CCurrentFolder() { EXPECT_EQ(::chdir(previous.c_str()), 0); }

private:
    std::string previous;
};

}  // namespace

TEST(Guide, OpensTheGuideBesideTheProgramBeforeTheInstalledOne) {
    GuideFixture f;
    std::string program = f.folder.Write("usr/bin/tamblor");
    f.folder.Write("usr/share/tamblor/Tamblor.html", "<html>");

    EXPECT_TRUE(ShowGuide(program));
    f.folder.Write("usr/bin/Tamblor.html", "<html>");
    EXPECT_TRUE(ShowGuide(program));

    EXPECT_EQ(f.ui.calls, (Calls{"shell: " + f.Path("usr/share/tamblor/Tamblor.html"),
                                 "shell: " + f.Path("usr/bin/Tamblor.html")}));
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(Guide, FollowsALinkedProgramFolderAndTakesAFolderOfTheGuidesName) {
    GuideFixture f;
    // bin is a link into opt: the installed guide is beside opt/bin, not beside the link.
    f.folder.Write("opt/bin/tamblor");
    f.folder.Write("opt/share/tamblor/Tamblor.html/index.html");
    f.folder.Write("share/tamblor/Tamblor.html", "the wrong one");
    std::filesystem::create_directory_symlink("opt/bin", f.folder.Path("bin"));

    EXPECT_EQ(FindGuidePath(f.folder.Path("bin/tamblor")),
              f.Path("opt/share/tamblor/Tamblor.html"));
    EXPECT_TRUE(ShowGuide(f.folder.Path("bin/tamblor")));
    EXPECT_EQ(f.ui.calls, (Calls{"shell: " + f.Path("opt/share/tamblor/Tamblor.html")}));
}

TEST(Guide, MissingGuideIsReportedEveryTimeAndNothingIsOpened) {
    GuideFixture f;
    std::string program = f.folder.Write("bin/tamblor");
    // Guides elsewhere than beside the program or in its share folder do not count.
    f.folder.Write("bin/share/tamblor/Tamblor.html");
    f.folder.Write("bin/Tamblor.htm");
    f.folder.Write("bin/doc/Tamblor.html");

    EXPECT_FALSE(ShowGuide(program));
    EXPECT_FALSE(ShowGuide(program));
    EXPECT_FALSE(ShowGuide(f.folder.Path("gone/tamblor")));
    EXPECT_EQ(f.messages.messages, (Calls{"Missing help file path", "Missing help file path",
                                          "Missing help file path"}));
    EXPECT_TRUE(f.ui.calls.empty());
}

TEST(Guide, CurrentFolderPlaysNoPart) {
    GuideFixture f;
    std::string program = f.folder.Write("bin/tamblor");
    f.folder.Write("work/Tamblor.html");
    f.folder.Write("work/share/tamblor/Tamblor.html");
    f.folder.Write("work/bin/Tamblor.html");
    {
        // A guide in the current folder, or in a share folder beside it, is not the program's.
        CCurrentFolder current(f.folder.Path("work"));
        EXPECT_FALSE(ShowGuide(program));
        EXPECT_FALSE(ShowGuide("tamblor"));
        EXPECT_FALSE(ShowGuide("bin/tamblor"));
        EXPECT_FALSE(ShowGuide(""));
    }
    EXPECT_EQ(f.messages.messages.size(), 4U);
    EXPECT_TRUE(f.ui.calls.empty());

    f.folder.Write("bin/Tamblor.html");
    CCurrentFolder elsewhere("/");
    EXPECT_TRUE(ShowGuide(program));
    EXPECT_EQ(f.ui.calls, (Calls{"shell: " + f.Path("bin/Tamblor.html")}));
}

TEST(Guide, TheBuildPutsTheGuideBesideTheExecutables) {
    CFilePath self = CFilePath::FromExecutable();
    EXPECT_EQ(FindGuidePath(self.GetFullPath()),
              GetRealPath(self.GetFolderPath()) + "/Tamblor.html");
    EXPECT_EQ(CTempFolder::Read(FindGuidePath(self.GetFullPath())),
              CTempFolder::Read(std::string(TAMBLOR_SOURCE_DIR) + "/resources/Tamblor.html"));
}

// The guide's message table is where a user looks up what a copy said: every message the copy
// and open commands can show is there, with "…" where the name goes.
TEST(Guide, TheMessageTableListsEveryMessageOfOpenAndCopy) {
    std::string guide =
        CTempFolder::Read(std::string(TAMBLOR_SOURCE_DIR) + "/resources/Tamblor.html");
    std::string table = guide.substr(guide.find("<samp>Failed opening folder"));
    std::string code =
        CTempFolder::Read(std::string(TAMBLOR_SOURCE_DIR) + "/src/shell/item_commands.cpp");
    std::vector<std::string> messages = {"Copy file … to …", "Copy the directory … in …",
                                         "Please insert disk named … into drive …",
                                         "Disk full while accessing ….", "Access to … was denied."};
    std::regex format(R"re("([^"]*%s[^"]*)")re");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), format);
         it != std::sregex_iterator(); ++it) {
        messages.push_back(std::regex_replace((*it)[1].str(), std::regex("%s"), "…"));
    }
    EXPECT_GT(messages.size(), 10U);
    for (const std::string& message : messages) {
        EXPECT_NE(table.find("<samp>" + message), std::string::npos) << message;
    }
}
