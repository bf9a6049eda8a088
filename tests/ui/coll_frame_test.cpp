// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over a real collection: the browse panel following the document, the
// commands' enabling, the window title, and pictures of it for people to look at.

#include "shell/ui/frame/coll_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/ini_file.h"
#include "platform/profile.h"
#include "shell/coll_session.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/browse/coll_disks_ctrl.h"
#include "shell/ui/browse/coll_files_ctrl.h"
#include "shell/ui/browse/coll_folder_tree.h"
#include "shell/ui/frame/coll_view.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_item.h"
#include "support/holding_clock.h"
#include "support/item_requests.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"
#include "toolkit/table_model.h"
#include "ui/program_window.h"

namespace {

const std::string samplePath = std::string(TAMBLOR_SOURCE_DIR) + "/examples/Sample.col";

// A session on a profile in a temporary folder, with its main window.
struct CProgram : CProgramWindow {
    CCollBrowsePanel& Browse() { return frame->GetView().GetBrowsePanel(); }
};

void ClickRow(CTableWnd& table, int row) {
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(40, RowY(table, row)));
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& name) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == name) {
            return parent->child(i);
        }
    }
    return nullptr;
}

}  // namespace

TEST(CollFrame, SelectionFlowsFromDisksToFoldersToFilesAndNamesWhatOpenActsOn) {
    CProgram program;
    program.frame->resize(screenshotSize);
    program.frame->show();
    ASSERT_TRUE(program.OpenAtStartup(samplePath));
    CCollDoc& doc = program.session.doc;
    CItemRequests requests;
    doc.AddView(&requests);
    CCollDisksCtrl& disks = program.Browse().GetDisksCtrl();
    CCollFolderTree& tree = program.Browse().GetFolderTree();
    CCollFilesCtrl& files = program.Browse().GetFilesCtrl();
    ASSERT_EQ(disks.GetModel()->GetRowCount(), 8);
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::removeDisk)->isEnabled());

    // A disk chosen by the keyboard shows its root: the tree's top level and the root's files.
    disks.setFocus();
    QTest::keyClick(&disks, Qt::Key_Down);
    ASSERT_EQ(doc.currentDisk, doc.collection.disks[0]);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root->text(0).toStdString(), doc.currentDisk->title);
    EXPECT_EQ(root->childCount(), static_cast<int>(doc.currentDisk->content.folders.size()));
    EXPECT_EQ(files.GetModel()->GetRowCount(),
              static_cast<int>(doc.currentDisk->content.files.size()));
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::removeDisk)->isEnabled());
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::diskProperties)->isEnabled());
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::folderProperties)->isEnabled());

    // A folder chosen in the tree fills the files table; expanding reads one level more.
    ClickRow(disks, 3);
    ASSERT_EQ(doc.currentDisk, doc.collection.disks[3]);
    QTreeWidgetItem* pictures = ChildNamed(tree.topLevelItem(0), "Desktop");
    ASSERT_NE(pictures, nullptr);
    tree.setCurrentItem(pictures);
    ASSERT_NE(doc.currentFolder, nullptr);
    EXPECT_EQ(doc.currentFolder->name, "Desktop");
    EXPECT_EQ(files.GetModel()->GetRowCount(),
              static_cast<int>(doc.currentFolder->content.files.size()));
    pictures->setExpanded(true);
    for (int i = 0; i < pictures->childCount(); ++i) {
        CCollDiskFolder* folder = CCollFolderTree::FolderOf(pictures->child(i));
        EXPECT_EQ(pictures->child(i)->childCount(),
                  static_cast<int>(folder->content.folders.size()));
    }
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::folderProperties)->isEnabled());

    // Open acts on what has the focus: the file of the files table, or the tree's folder.
    ASSERT_GT(files.GetModel()->GetRowCount(), 0);
    files.setFocus();
    ClickRow(files, 0);
    ASSERT_NE(doc.currentFile, nullptr);
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::fileProperties)->isEnabled());
    QTest::keyClick(&files, Qt::Key_Return);
    tree.setFocus();
    program.frame->Execute(CCollCommand::copy);
    std::string title = doc.currentDisk->title;
    ASSERT_EQ(requests.requests.size(), 2u);
    // Ctrl+C in a table is the program's Copy, not the table's own.
    program.frame->activateWindow();
    files.setFocus();
    QTest::keyClick(program.frame->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(requests.requests.size(), 3u);
    EXPECT_EQ(requests.requests[2], "copy " + title + ":\\Desktop\\" + doc.currentFile->name);
    requests.requests.pop_back();
    EXPECT_EQ(requests.requests[0], "open " + title + ":\\Desktop\\" + doc.currentFile->name);
    EXPECT_EQ(requests.requests[1], "copy " + title + ":\\Desktop");
    // Nothing for the disks table, nor on the Search tab.
    disks.setFocus();
    program.frame->Execute(CCollCommand::open);
    program.frame->GetView().GetTabCtrl().setCurrentIndex(1);
    files.setFocus();
    program.frame->Execute(CCollCommand::open);
    EXPECT_EQ(requests.requests.size(), 2u);
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::removeDisk)->isEnabled());
    doc.RemoveView(&requests);
}

TEST(CollFrame, FindingPathsSelectsFoldersAndRootFilesAndReportsWhatIsMissing) {
    CProgram program;
    program.frame->resize(screenshotSize);
    program.frame->show();
    ASSERT_TRUE(program.OpenAtStartup(samplePath));
    CCollDoc& doc = program.session.doc;
    CCollDisk* disk = doc.collection.disks[3];
    CCollFolderTree& tree = program.Browse().GetFolderTree();
    CCollFilesCtrl& files = program.Browse().GetFilesCtrl();
    CCollView& view = program.frame->GetView();
    view.GetTabCtrl().setCurrentIndex(1);

    // A folder two levels down: read, expanded and selected, its files shown, no file chosen.
    view.FindItem(CCollItem{2, {disk->title, {"Documents", "Briefe"}}});
    EXPECT_TRUE(view.IsBrowseTabCurrent());
    ASSERT_EQ(doc.currentDisk, disk);
    ASSERT_NE(doc.currentFolder, nullptr);
    EXPECT_EQ(doc.currentFolder->name, "Briefe");
    EXPECT_EQ(tree.GetSelectedFolder(), doc.currentFolder);
    EXPECT_EQ(files.GetModel()->GetRowCount(), 7);
    EXPECT_EQ(doc.currentFile, nullptr);
    EXPECT_TRUE(program.messages.messages.empty());

    // A file in the root.
    view.FindItem(CCollItem{3, {disk->title, {".bash_history"}}});
    ASSERT_NE(doc.currentFile, nullptr);
    EXPECT_EQ(doc.currentFile->name, ".bash_history");
    EXPECT_TRUE(tree.IsRootSelected());
    EXPECT_EQ(files.GetFile(files.GetSelectedRow()), doc.currentFile);
    view.FindItem(CCollItem{3, {"Nowhere", {"x"}}});
    view.FindItem(CCollItem{2, {disk->title, {"No such folder"}}});
    EXPECT_EQ(
        program.messages.messages,
        (std::vector<std::string>{"Disk not found", "Failed finding child folder No such folder",
                                  "Failed to selecting folder path \\No such folder\\"}));
}

TEST(CollFrame, AFirstStartShowsAComfortableCentredWindowReadyWithTheDefaultDrive) {
    CProgram program;
    program.frame->RestorePlacement();
    ASSERT_TRUE(program.OpenAtStartup(""));
    QRect available = program.frame->screen()->availableGeometry();
    QRect window = program.frame->geometry();
    EXPECT_TRUE(available.contains(window));
    EXPECT_GE(window.width(), std::min(800, available.width() * 9 / 10));
    EXPECT_GE(window.height(), std::min(600, available.height() * 9 / 10));
    EXPECT_LE(std::abs(window.center().x() - available.center().x()), 1);
    EXPECT_EQ(program.frame->statusBar()->currentMessage(), "Ready");
    EXPECT_EQ(program.session.settings.GetDrive(), "/dev/cdrom");
}

TEST(CollFrame, IndexFilesDroppedOnTheWindowGoIntoTheCollectionUnderTheirOwnBytes) {
    CProgram program;
    ASSERT_TRUE(program.OpenAtStartup(""));
    program.frame->GetView().GetTabCtrl().setCurrentIndex(1);
    // A name that is not UTF-8, as a file manager sends it: percent-encoded bytes.
    std::string path = program.folder.Path() + "/Old\xE9t\xE9.cdi";
    ASSERT_TRUE(CCollDisk().SaveIndexFile(path));
    QMimeData data;
    data.setData("text/uri-list",
                 "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n");

    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(program.frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(program.frame.get(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.session.doc.collection.disks.empty(); }));
    EXPECT_EQ(program.session.doc.collection.disks[0]->indexPath, path);
    EXPECT_TRUE(program.frame->GetView().IsBrowseTabCurrent());

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(program.frame.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// While a collection loads, the status bar counts its disks and the commands that need it
// are off; Escape cancels, leaving an empty collection in a window that went on answering.
TEST(CollFrame, ALoadCountsItsDisksInTheStatusBarAndEscapeCancelsIt) {
    CProgram program;
    program.frame->show();
    program.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(program.frame.get()));
    CCollDoc& doc = program.session.doc;
    CHoldingClock clock(3);
    doc.SetJobClock(clock.Clock());
    ASSERT_TRUE(doc.OpenCollection(samplePath));
    clock.WaitUntilHeld();
    auto* pane = program.frame->findChild<QWidget*>("LoadProgress");
    ASSERT_NE(pane, nullptr);
    auto* count = pane->findChild<QLabel*>();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return count->text() == "Loading collection... 1 of 8 disks"; }, 5000));
    EXPECT_TRUE(pane->isVisible());
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::saveCollectionAs)->isEnabled());
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::totals)->isEnabled());
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::openCollection)->isEnabled());

    QTest::keyClick(program.frame.get(), Qt::Key_Escape);
    clock.Release();
    ASSERT_TRUE(program.FinishJobs());
    EXPECT_FALSE(pane->isVisible());
    EXPECT_TRUE(doc.collection.disks.empty());
    EXPECT_EQ(program.frame->windowTitle(), "Untitled[*] - Tamblor");
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::saveCollectionAs)->isEnabled());
    EXPECT_TRUE(program.messages.messages.empty());
}

TEST(CollFrame, AnIndexFileNamedAtStartShowsItsDiskChosen) {
    CProgram program;
    ASSERT_TRUE(
        program.OpenAtStartup(std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Music 01.cdi"));
    EXPECT_EQ(program.frame->windowTitle(), "Untitled[*] - Tamblor");
    EXPECT_TRUE(program.frame->isWindowModified());
    EXPECT_EQ(program.Browse().GetDisksCtrl().GetSelectedRow(), 0);
    ASSERT_EQ(program.Browse().GetFolderTree().topLevelItemCount(), 1);
    EXPECT_EQ(program.Browse().GetFolderTree().topLevelItem(0)->text(0), "Music 01");
}

TEST(CollFrame, TitleFollowsTheDocumentAndCloseAsksBeforeDroppingChanges) {
    CProgram program;
    CCollDoc& doc = program.session.doc;
    ASSERT_TRUE(program.OpenAtStartup(""));
    EXPECT_EQ(program.frame->windowTitle(), "Untitled[*] - Tamblor");
    EXPECT_FALSE(program.frame->isWindowModified());
    EXPECT_FALSE(program.frame->GetAction(CCollCommand::collectionProperties)->isEnabled());

    program.ui.chosenPaths = {{std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Music 01.cdi"}};
    ASSERT_TRUE(program.frame->Execute(CCollCommand::insertDisks));
    ASSERT_TRUE(program.FinishJobs());
    EXPECT_EQ(program.Browse().GetDisksCtrl().GetModel()->GetRowCount(), 1);
    EXPECT_TRUE(program.frame->isWindowModified());

    program.ui.answers = {CPlatformUi::Answer::cancel};
    program.frame->Execute(CCollCommand::closeCollection);
    EXPECT_EQ(doc.collection.disks.size(), 1u);
    program.ui.answers = {CPlatformUi::Answer::no};
    program.frame->Execute(CCollCommand::closeCollection);
    EXPECT_TRUE(doc.collection.disks.empty());
    EXPECT_EQ(program.Browse().GetDisksCtrl().GetModel()->GetRowCount(), 0);
    EXPECT_FALSE(program.frame->isWindowModified());

    // Export list writes the page beside the collection and hands it to the desktop.
    ASSERT_TRUE(program.Insert({std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Music 01.cdi"}));
    std::string saved = program.folder.Path() + "/Mine.col";
    program.ui.chosenFiles = {saved};
    ASSERT_TRUE(program.frame->Execute(CCollCommand::saveCollectionAs));
    program.ui.calls.clear();
    ASSERT_TRUE(program.frame->Execute(CCollCommand::exportList));
    ASSERT_TRUE(program.FinishJobs());
    EXPECT_TRUE(std::filesystem::exists(program.folder.Path() + "/Mine.htm"));
    EXPECT_EQ(program.ui.calls,
              std::vector<std::string>{"shell: " + program.folder.Path() + "/Mine.htm"});

    ASSERT_TRUE(program.Open(samplePath));
    EXPECT_EQ(program.frame->windowTitle(), "Sample.col[*] - Tamblor");
    EXPECT_TRUE(program.frame->GetAction(CCollCommand::collectionProperties)->isEnabled());
    EXPECT_EQ(program.frame->statusBar()->currentMessage(), "Ready");

    // The window keeps its close when the user cancels the save question.
    ASSERT_TRUE(program.Insert({std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Music 01.cdi"}));
    program.frame->show();
    program.ui.answers = {CPlatformUi::Answer::cancel};
    EXPECT_FALSE(program.frame->close());
    EXPECT_TRUE(program.frame->isVisible());
    program.ui.answers = {CPlatformUi::Answer::no};
    EXPECT_TRUE(program.frame->close());
}

TEST(CollFrame, ACollectionOpenedInPlaceOfAnotherShowsItsFirstRowsAndColumns) {
    CProgram program;
    program.frame->show();
    // More disks than the table shows at once.
    std::string text;
    for (int i = 0; i < 60; ++i) {
        std::string path = program.folder.Path("Disk " + std::to_string(i) + ".cdi");
        std::filesystem::copy_file(std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Music 01.cdi",
                                   path);
        text += path + "\n";
    }
    ASSERT_TRUE(program.Open(program.folder.Write("Many.col", text)));
    CCollDisksCtrl& disks = program.Browse().GetDisksCtrl();
    CCollFilesCtrl& files = program.Browse().GetFilesCtrl();
    disks.setFocus();
    QTest::keyClick(&disks, Qt::Key_End);
    QTest::keyClick(&disks, Qt::Key_Right);
    files.setFocus();
    QTest::keyClick(&files, Qt::Key_Right);
    ASSERT_GT(disks.GetTopRow(), 0);
    ASSERT_EQ(disks.GetFirstColumn(), 1);
    ASSERT_EQ(files.GetFirstColumn(), 1);

    // A disk removed is a change to the collection shown: the table stays where it was. The
    // files shown are another disk's, or none.
    int top = disks.GetTopRow();
    ASSERT_TRUE(program.frame->Execute(CCollCommand::removeDisk));
    EXPECT_GE(disks.GetTopRow(), top - 1);
    EXPECT_EQ(disks.GetFirstColumn(), 1);
    EXPECT_EQ(files.GetFirstColumn(), 0);

    program.ui.answers = {CPlatformUi::Answer::no};
    ASSERT_TRUE(program.Open(samplePath));
    EXPECT_EQ(disks.GetTopRow(), 0);
    EXPECT_EQ(disks.GetFirstColumn(), 0);
}

TEST(CollFrame, AnIndexFileGoneBeforeItsFolderIsExpandedIsReportedAndTheWindowGoesOn) {
    CProgram program;
    std::string copy = program.folder.Path() + "/Copy.cdi";
    std::filesystem::copy_file(
        std::string(TAMBLOR_SOURCE_DIR) + "/examples/disks/Backup 2005-03.cdi", copy);
    ASSERT_TRUE(program.Insert({copy}));
    CCollDisksCtrl& disks = program.Browse().GetDisksCtrl();
    ClickRow(disks, 0);
    QTreeWidgetItem* root = program.Browse().GetFolderTree().topLevelItem(0);
    ASSERT_NE(root, nullptr);
    std::filesystem::remove(copy);
    QTreeWidgetItem* first = root->child(0);
    ASSERT_NE(first, nullptr);
    first->setExpanded(true);
    ASSERT_EQ(program.messages.messages.size(), 1u);
    EXPECT_NE(program.messages.messages[0].find("Copy.cdi"), std::string::npos);
    // The tree still answers.
    program.Browse().GetFolderTree().setCurrentItem(first);
    EXPECT_NE(program.session.doc.currentFolder, nullptr);
}

TEST(CollFrame, Screenshot) {
    QString out = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (out.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CProgram program;
    program.frame->resize(screenshotSize);
    program.frame->show();
    ASSERT_TRUE(program.OpenAtStartup(samplePath));
    CCollDoc& doc = program.session.doc;
    doc.SelectDisk(doc.collection.disks[3]);
    program.Browse().GetDisksCtrl().ShowRow(3);
    QTreeWidget& tree = program.Browse().GetFolderTree();
    if (QTreeWidgetItem* pictures = ChildNamed(tree.topLevelItem(0), "Desktop")) {
        pictures->setExpanded(true);
        tree.setCurrentItem(pictures);
    }
    program.Browse().GetFilesCtrl().ShowRow(1);
    QApplication::processEvents();
    EXPECT_TRUE(program.frame->grab().save(out + "/main_window.png"));

    // The folder's pop-up menu, from the keyboard's menu key, drawn where it opens.
    bool grabbed = false;
    QTimer::singleShot(200, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            QPixmap picture = program.frame->grab();
            QPainter painter(&picture);
            painter.drawPixmap(program.frame->mapFromGlobal(popup->pos()), popup->grab());
            painter.end();
            grabbed = picture.save(out + "/popup_menu.png");
            popup->close();
        }
    });
    tree.setFocus();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(&tree, &menuKey);
    EXPECT_TRUE(grabbed);
}

TEST(CollFrame, ClosingTheWindowKeepsColumnWidthsPaneSizesAndPlacement) {
    CProgram program;
    program.frame->show();
    program.Browse().GetDisksCtrl().GetModel()->columns[0]->width = 234;
    program.frame->SavePlacement();
    program.frame.reset();
    const CIniFile& profile = program.session.profile;
    EXPECT_EQ(profile.GetString("DisksTable", "Title"), "234");
    EXPECT_FALSE(profile.GetString("FilesTable", "Name").empty());
    EXPECT_FALSE(profile.GetString("SearchResultsTable", "Title").empty());
    EXPECT_FALSE(profile.GetString("MainFrame", "VertPaneSizes").empty());
    EXPECT_EQ(profile.GetString("MainFrame", "Placement").rfind("44,0,1,", 0), 0u);
}
