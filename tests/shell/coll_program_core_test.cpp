// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt-free ground of the main window: the command table's enabling rules, the Insert
// command's dialog, the placement numbers, the catalogue paths of the selection, and the
// run's profile read at start and written at exit.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/profile.h"
#include "shell/coll_commands.h"
#include "shell/coll_session.h"
#include "shell/selection_item.h"
#include "shell/window_placement.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_item.h"
#include "support/doc_jobs.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

using C = CCollCommand;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(CollCommands, EveryMenuItemIsKnownAndEnabledByItsRule) {
    std::set<C> seen;
    for (const CMenuInfo& menu : GetMenuTable()) {
        for (C command : menu.items) {
            if (command != C::none) {
                EXPECT_TRUE(seen.insert(command).second) << static_cast<int>(command);
                EXPECT_FALSE(GetCommandInfo(command).menuText.empty());
                // Key labels are not part of the texts: the menus show the keys that work.
                EXPECT_EQ(GetCommandInfo(command).menuText.find('\t'), std::string::npos);
            }
        }
    }
    EXPECT_EQ(seen.size(), 23u);
    for (C command : GetToolbarCommands()) {
        EXPECT_TRUE(command == C::none || seen.count(command) == 1);
    }
    // Ctrl+N is New disk index; New collection gives it up.
    EXPECT_EQ(GetCommandInfo(C::newDiskIndex).key, CCommandKey::ctrlN);
    EXPECT_EQ(GetCommandInfo(C::newCollection).key, CCommandKey::none);
    EXPECT_EQ(GetCommandInfo(C::open).key, CCommandKey::none);

    CTempFolder folder;
    CCollDoc doc;
    CCommandContext browse;
    CCommandContext search;
    search.browseTabCurrent = false;
    for (C command : {C::open, C::copy, C::diskProperties, C::folderProperties, C::fileProperties,
                      C::collectionProperties, C::removeDisk, C::recentFile, C::updateDiskIndex}) {
        EXPECT_FALSE(IsCommandEnabled(command, doc, browse)) << static_cast<int>(command);
    }
    for (C command : {C::openCollection, C::closeCollection, C::newDiskIndex, C::totals,
                      C::exportList, C::insertDisks, C::settings, C::exit}) {
        EXPECT_TRUE(IsCommandEnabled(command, doc, browse)) << static_cast<int>(command);
    }
    EXPECT_FALSE(IsCommandEnabled(C::insertDisks, doc, search));

    CCollDisk disk("Holiday");
    CCollDiskFolder photos;
    CCollDiskFile beach;
    doc.currentDisk = &disk;
    // The disk's root is selected: Open and Copy act on it.
    EXPECT_TRUE(IsCommandEnabled(C::open, doc, browse));
    EXPECT_TRUE(IsCommandEnabled(C::removeDisk, doc, browse));
    EXPECT_FALSE(IsCommandEnabled(C::removeDisk, doc, search));
    // Update reads the drive: not while another command does.
    EXPECT_TRUE(IsCommandEnabled(C::updateDiskIndex, doc, search));
    CCommandContext busy;
    busy.driveBusy = true;
    EXPECT_FALSE(IsCommandEnabled(C::updateDiskIndex, doc, busy));
    EXPECT_FALSE(IsCommandEnabled(C::folderProperties, doc, browse));
    doc.currentFolder = &photos;
    doc.currentFile = &beach;
    EXPECT_TRUE(IsCommandEnabled(C::folderProperties, doc, browse));
    EXPECT_TRUE(IsCommandEnabled(C::fileProperties, doc, browse));
    doc.SetPathName(folder.Path() + "/A.col");
    EXPECT_TRUE(IsCommandEnabled(C::collectionProperties, doc, browse));
    doc.currentDisk = nullptr;
    doc.currentFolder = nullptr;
    doc.currentFile = nullptr;

    browse.recentFileCount = 1;
    EXPECT_TRUE(IsCommandEnabled(C::recentFile, doc, browse));
    EXPECT_EQ(RecentFileMenuText(0, "/home/me/Tom & Jerry.col"), "&1 Tom && Jerry.col");
}

TEST(CollCommands, InsertAsksForIndexFilesInTheLastFolderAndCancelChangesNothing) {
    CTempFolder folder;
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
    CCollSettings settings;
    settings.SetLastCdiFolder(folder.Path());
    CJobQueue queue;
    CCollDoc doc;
    EXPECT_FALSE(doc.AskAndInsertDisks());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].filterName, "CD index files");
    EXPECT_EQ(ui.fileDialogs[0].filterPattern, "*.cdi");
    EXPECT_TRUE(ui.fileDialogs[0].multipleSelection);
    EXPECT_EQ(ui.fileDialogs[0].initialFolder, folder.Path());
    EXPECT_FALSE(doc.IsModified());

    CCollDisk disk;
    std::filesystem::create_directory(folder.Path() + "/sub");
    ASSERT_TRUE(disk.SaveIndexFile(folder.Path() + "/sub/A.cdi"));
    ui.chosenPaths = {{folder.Path() + "/sub/A.cdi"}};
    EXPECT_TRUE(doc.AskAndInsertDisks());
    FinishDocJobs(queue, doc);
    EXPECT_EQ(doc.collection.disks.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(settings.GetLastCdiFolder(), folder.Path() + "/sub/");
}

TEST(WindowPlacement, ElevenNumbersReadBackAndShortOrOddTextsAreTakenAsTheyCome) {
    CWindowPlacement placement;
    placement.showState = CWindowPlacement::maximised;
    placement.left = -8;
    placement.top = 20;
    placement.right = 1200;
    placement.bottom = 900;
    EXPECT_EQ(placement.Format(), "44,0,3,-1,-1,-1,-1,-8,20,1200,900");
    CWindowPlacement read;
    ASSERT_TRUE(read.Parse(placement.Format()));
    EXPECT_EQ(read.Format(), placement.Format());

    CWindowPlacement partial;
    ASSERT_TRUE(partial.Parse("44,0,2,5"));
    EXPECT_EQ(partial.showState, CWindowPlacement::minimised);
    EXPECT_EQ(partial.minX, 5);
    EXPECT_EQ(partial.Width(), 0);
    EXPECT_FALSE(CWindowPlacement().Parse("garbage"));
    EXPECT_FALSE(CWindowPlacement().Parse(""));
}

TEST(SelectionItem, TheSelectionIsNamedByItsFolderChain) {
    CCollDisk disk("Holiday");
    CCollDiskFolder photos;
    photos.name = "Photos";
    CCollDiskFolder summer;
    summer.name = "Sum\\mer";
    CCollDiskFile beach;
    beach.name = "beach.jpg";

    CCollItem root = SelectionItem(disk, {}, nullptr);
    EXPECT_EQ(root.path, (CCataloguePath{"Holiday", {}}));
    EXPECT_EQ(root.path.Text(), "Holiday:\\");
    EXPECT_EQ(root.typeId, 2);
    CCollItem rootFile = SelectionItem(disk, {}, &beach);
    EXPECT_EQ(rootFile.path.Text(), "Holiday:\\beach.jpg");
    EXPECT_EQ(rootFile.typeId, 3);
    CCollItem deep = SelectionItem(disk, {&photos, &summer}, &beach);
    EXPECT_EQ(deep.path.names, (std::vector<std::string>{"Photos", "Sum\\mer", "beach.jpg"}));
    EXPECT_EQ(deep.path.Text(), "Holiday:\\Photos\\Sum\\mer\\beach.jpg");
}

TEST(CollSession, FirstRunExitWritesSettingsThenRecentFilesAndTheNextRunReadsThem) {
    CTempFolder folder;
    CMessageRecorder messages;
    CJobQueue queue;
    std::string ini = folder.Path() + "/Tamblor.ini";
    {
        CCollSession session;
        session.Load(ini);
        EXPECT_EQ(GetProfile(), &session.profile);
        EXPECT_EQ(session.settings.GetDrive(), "/dev/cdrom");
        bool started = false;
        session.OpenAtStartup("", [&started](bool done) { started = done; });
        ASSERT_TRUE(started);
        EXPECT_EQ(session.doc.GetTitle(), "Untitled");
        session.settings.SetDrive("/media/cdrom");
        session.recentFiles.Add(folder.Path() + "/A.col");
        ASSERT_TRUE(session.Save());
    }
    EXPECT_EQ(GetProfile(), nullptr);
    std::string text = ReadFile(ini);
    EXPECT_LT(text.find("[Settings]"), text.find("[Recent File List]"));
    EXPECT_NE(text.find("Drive=/media/cdrom"), std::string::npos);

    CCollSession next;
    next.Load(ini);
    EXPECT_EQ(next.settings.GetDrive(), "/media/cdrom");
    EXPECT_EQ(next.recentFiles.GetFirst(), folder.Path() + "/A.col");
    EXPECT_TRUE(messages.messages.empty());

    // A collection named by a relative path opens from the current folder, its lines
    // relative to where it lies.
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(std::string(TAMBLOR_SOURCE_DIR));
    bool opened = false;
    next.OpenAtStartup("examples/Sample.col", [&opened](bool done) { opened = done; });
    std::filesystem::current_path(before);
    FinishDocJobs(queue, next.doc);
    EXPECT_TRUE(opened);
    EXPECT_EQ(next.doc.collection.disks.size(), 8u);
    EXPECT_EQ(next.doc.GetPathName(), std::string(TAMBLOR_SOURCE_DIR) + "/examples/Sample.col");
    EXPECT_TRUE(messages.messages.empty());

    // A profile that cannot be read is reported and never written over.
    CTempFolder other;
    std::filesystem::create_directory(other.Path() + "/Tamblor.ini");
    CCollSession broken;
    broken.Load(other.Path() + "/Tamblor.ini");
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(broken.Save());
    EXPECT_TRUE(std::filesystem::is_directory(other.Path() + "/Tamblor.ini"));
}
