// SPDX-License-Identifier: GPL-3.0-or-later
// A disk titled in UTF-8 holding names from the other platform's code page: every place the
// program shows a name reads it the same way, and what it shows can be typed and found.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "platform/ui/qt_platform_ui.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/browse/coll_disks_ctrl.h"
#include "shell/ui/browse/coll_files_ctrl.h"
#include "shell/ui/browse/coll_folder_tree.h"
#include "shell/ui/frame/coll_view.h"
#include "shell/ui/search/coll_search_panel.h"
#include "shell/ui/search/coll_search_panel1.h"
#include "shell/ui/search/coll_search_panel_results.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "ui/program_window.h"

namespace {

const std::string title = "\xC3\x89t\xC3\xA9 2006";  // "Été 2006", typed here
const std::string badName = "bad\xFF\xFEname.txt";   // from a disk catalogued there
const std::string folderName = "d\xE9j\xE0 vu";
const QString shownTitle = QString::fromUtf8("Été 2006");
const QString shownName = QString::fromUtf8("badÿþname.txt");

std::string MakeIndexFile(CTempFolder& folder) {
    CCollDisk disk;
    auto file = std::make_unique<CCollDiskFile>();
    file->name = badName;
    disk.content.files.Add(std::move(file));
    auto sub = std::make_unique<CCollDiskFolder>();
    sub->name = folderName;
    disk.content.folders.Add(std::move(sub));
    disk.ComputeTotals();
    std::string path = folder.Path(title + ".cdi");
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

// The text of the message box that the next event loop opens, which it then closes.
void ReadMessageBox(QString& text) {
    QTimer::singleShot(0, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
}

}  // namespace

TEST(NameFaces, TablesTreeSearchPathAndMessagesReadANameAlike) {
    CProgramWindow program;
    program.frame->show();
    ASSERT_TRUE(program.OpenAtStartup(MakeIndexFile(program.folder)));
    CCollView& view = program.frame->GetView();
    CCollDisksCtrl& disks = view.GetBrowsePanel().GetDisksCtrl();
    disks.setFocus();
    QTest::keyClick(&disks, Qt::Key_Down);
    ASSERT_NE(program.session.doc.currentDisk, nullptr);
    EXPECT_EQ(disks.GetCellDisplayText(0, 0), shownTitle);
    EXPECT_EQ(view.GetBrowsePanel().GetFilesCtrl().GetCellDisplayText(0, 0), shownName);
    CCollFolderTree& tree = view.GetBrowsePanel().GetFolderTree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), shownTitle);
    ASSERT_EQ(tree.topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->text(0), QString::fromUtf8("déjà vu"));

    // What the table shows, typed into the words field, finds the name; the path reads the
    // title as the disks table does.
    view.GetTabCtrl().setCurrentIndex(1);
    CCollSearchPanel& panel = view.GetSearchPanel();
    QLineEdit& words = panel.GetPage1().GetWordsEdit();
    for (const QString& typed : {QString::fromUtf8("ÿþ"), QString::fromUtf8("BADŸÞ")}) {
        SCOPED_TRACE(typed.toStdString());
        // Qt Test types only ASCII keys: the text goes in as a paste would put it.
        words.setText(typed);
        QTest::keyClick(&words, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&panel] { return !panel.IsSearching(); }));
        CCollSearchResultsCtrl& results = panel.GetResultsTable();
        ASSERT_EQ(results.GetRowCount(), 1);
        EXPECT_EQ(results.GetCellDisplayText(0, 0), shownName);
        EXPECT_EQ(results.GetCellDisplayText(0, 2), shownTitle + ":\\" + shownName);
    }

    // A message formed from the path's bytes reads as the path column.
    CQtPlatformUi ui;
    QString shown;
    ReadMessageBox(shown);
    ui.ShowMessage("Failed copying " + title + ":\\" + badName, CPlatformUi::Icon::warning);
    EXPECT_EQ(shown, "Failed copying " + shownTitle + ":\\" + shownName);
}
