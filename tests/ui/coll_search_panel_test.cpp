// SPDX-License-Identifier: GPL-3.0-or-later
// The search panel in the program's window over the sample collection: finding by words,
// the count, sorting, stopping a search, the requests from the results, and its picture.

#include "shell/ui/search/coll_search_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "shell/coll_session.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/browse/coll_disks_ctrl.h"
#include "shell/ui/browse/coll_files_ctrl.h"
#include "shell/ui/frame/coll_frame.h"
#include "shell/ui/frame/coll_view.h"
#include "shell/ui/search/coll_search_panel1.h"
#include "shell/ui/search/coll_search_panel2.h"
#include "shell/ui/search/coll_search_panel_results.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_item.h"
#include "support/item_requests.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"
#include "ui/program_window.h"

namespace {

const std::string samplePath = std::string(TAMBLOR_SOURCE_DIR) + "/examples/Sample.col";
// Every folder and file of the sample's disks.
constexpr std::size_t sampleItems = 2244;

struct CProgram : CProgramWindow {
    CProgram() {
        frame->show();
        EXPECT_TRUE(OpenAtStartup(samplePath));
        frame->GetView().GetTabCtrl().setCurrentIndex(1);
    }
    CCollSearchPanel& Panel() { return frame->GetView().GetSearchPanel(); }
    CCollSearchResultsCtrl& Table() { return Panel().GetResultsTable(); }
    void Search(const QString& words) {
        QLineEdit& edit = Panel().GetPage1().GetWordsEdit();
        edit.clear();
        QTest::keyClicks(&edit, words);
        QTest::keyClick(&edit, Qt::Key_Return);
        WaitForSearch();
    }
    // The search runs off the window's thread: its batches and its end come through the
    // event loop.
    void WaitForSearch() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Panel().IsSearching(); }, 20000));
    }
    std::string Cell(int row, int column) {
        return Table().GetCellDisplayText(row, column).toStdString();
    }
};

int ColumnX(CTableWnd& table, int column) {
    return table.GetCellRect(-1, column).center().x();
}

void ClickRow(CTableWnd& table, int row) {
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(40, RowY(table, row)));
}

// Chooses `text` in the pop-up menu that the next event loop opens.
void ChooseFromMenu(const QString& text, bool& chosen) {
    QTimer::singleShot(0, [text, &chosen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                chosen = true;
            }
        }
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
}

}  // namespace

TEST(CollSearchPanel, WordsFindTheirItemsCountedAndSortedByAColumn) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    CCollSearchResultsCtrl& table = program.Table();
    EXPECT_EQ(table.accessibleName(), "Search results");
    EXPECT_EQ(panel.GetSearchButton().text(), "Search");
    EXPECT_FALSE(panel.GetBusyIndicator().isVisible());

    // Enter in the words field searches, case ignored; the count pane follows.
    program.Search("readme");
    const CSearchResultList& results = panel.GetResults();
    ASSERT_EQ(results.GetCount(), 14u);
    EXPECT_EQ(program.frame->GetCountPane().text(), "14 results");
    EXPECT_EQ(table.GetRowCount(), 14);
    EXPECT_EQ(program.Cell(0, 0), "README.TXT");
    EXPECT_EQ(program.Cell(0, 1), "File");
    EXPECT_EQ(program.Cell(0, 2), "Archive 1999:\\README.TXT");
    EXPECT_FALSE(program.Cell(0, 3).empty());
    for (int row = 0; row < table.GetRowCount(); ++row) {
        EXPECT_NE(QString::fromStdString(program.Cell(row, 0)).toLower().indexOf("readme"), -1);
    }

    // A double-click on a header sorts by its column, ascending each time.
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {},
                       QPoint(ColumnX(table, 0), table.GetHeaderHeight() / 2));
    std::vector<std::string> names;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        names.push_back(program.Cell(row, 0));
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(names.front(), "README");

    // Case, type and disk narrow the search; every item of every disk with none.
    panel.GetPage1().GetCaseCheck().setChecked(true);
    program.Search("readme");
    EXPECT_EQ(results.GetCount(), 10u);
    panel.GetPage1().GetCaseCheck().setChecked(false);
    panel.GetPage1().GetTypeList().setCurrentText("Folder");
    program.Search("");
    std::size_t folders = results.GetCount();
    panel.GetPage1().GetTypeList().setCurrentText("All");
    program.Search("");
    EXPECT_EQ(results.GetCount(), sampleItems);
    EXPECT_GT(folders, 0u);
    EXPECT_LT(folders, sampleItems);
    EXPECT_EQ(program.frame->GetCountPane().text(), "2244 results");
    QComboBox& disks = panel.GetPage1().GetDiskList();
    ASSERT_EQ(disks.count(), 9);
    disks.setCurrentIndex(1);
    program.Search("");
    EXPECT_GT(results.GetCount(), 0u);
    EXPECT_LT(results.GetCount(), sampleItems);
    EXPECT_EQ(program.Cell(0, 2).rfind(disks.currentText().toStdString() + ":\\", 0), 0u);
    disks.setCurrentIndex(0);

    // The Type header puts every file before every folder.
    program.Search("");
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {},
                       QPoint(ColumnX(table, 1), table.GetHeaderHeight() / 2));
    EXPECT_EQ(program.Cell(0, 1), "File");
    EXPECT_EQ(program.Cell(static_cast<int>(sampleItems - folders - 1), 1), "File");
    EXPECT_EQ(program.Cell(static_cast<int>(sampleItems - folders), 1), "Folder");

    // The date page shows its days only while a time is chosen.
    CCollSearchPanel2& dates = panel.GetPage2();
    panel.GetTabs().setCurrentIndex(1);
    EXPECT_FALSE(dates.GetFromEdit().isVisible());
    dates.GetTimeList().setCurrentIndex(1);
    EXPECT_TRUE(dates.GetFromEdit().isVisible());
    EXPECT_TRUE(dates.GetToEdit().isVisible());
    dates.GetTimeList().setCurrentIndex(0);
    EXPECT_FALSE(dates.GetToEdit().isVisible());
    EXPECT_TRUE(program.messages.messages.empty());
}

TEST(CollSearchPanel, StopEndsARunningSearchAndTheNextStartsAfresh) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    panel.StartSearch();
    EXPECT_EQ(panel.GetSearchButton().text(), "Stop");
    EXPECT_TRUE(panel.GetBusyIndicator().isVisible());
    QTest::mouseClick(&panel.GetSearchButton(), Qt::LeftButton);
    EXPECT_EQ(panel.GetSearchButton().text(), "Search");
    program.WaitForSearch();
    EXPECT_FALSE(panel.GetBusyIndicator().isVisible());
    // However far it got, the count shows what the table holds.
    EXPECT_LE(panel.GetResults().GetCount(), sampleItems);
    EXPECT_EQ(program.frame->GetCountPane().text().toStdString(),
              std::to_string(panel.GetResults().GetCount()) + " results");

    // Escape stops too; then a search from the button runs through every disk.
    panel.StartSearch();
    QTest::keyClick(&panel.GetPage1().GetWordsEdit(), Qt::Key_Escape);
    program.WaitForSearch();
    QTest::mouseClick(&panel.GetSearchButton(), Qt::LeftButton);
    program.WaitForSearch();
    EXPECT_EQ(panel.GetResults().GetCount(), sampleItems);
    EXPECT_EQ(program.frame->GetCountPane().text().toStdString(),
              std::to_string(sampleItems) + " results");
}

TEST(CollSearchPanel, TypingSearchesByItselfAndAChangeReplacesTheRunningSearch) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    QLineEdit& words = panel.GetPage1().GetWordsEdit();
    panel.typingDelay = std::chrono::milliseconds(0);
    // Typed without Enter: one search, once the typing stops.
    int searches = 0;
    QObject::connect(&panel, &CCollSearchPanel::SearchingChanged,
                     [&](bool running) { searches += running ? 1 : 0; });
    QTest::keyClicks(&words, "readme");
    EXPECT_TRUE(QTest::qWaitFor([&] { return searches == 1 && !panel.IsSearching(); }));
    QTest::qWait(20);
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(panel.GetResults().GetCount(), 14u);

    // A change while a search of every item runs replaces it: none of its results come.
    words.clear();
    QTest::keyClicks(&words, "t");
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.IsSearching(); }));
    words.clear();
    QTest::keyClicks(&words, "lizenz");
    program.WaitForSearch();
    QTest::qWait(20);
    EXPECT_FALSE(panel.IsSearching());
    EXPECT_EQ(panel.GetResults().GetCount(), 8u);
    EXPECT_EQ(program.Cell(0, 0), "Lizenz.txt");
    EXPECT_EQ(program.frame->GetCountPane().text(), "8 results");

    // Words cleared, even while a search runs: the results go, and none of it comes after.
    for (bool whileSearching : {false, true}) {
        if (whileSearching) {
            QTest::keyClicks(&words, "e");
            ASSERT_TRUE(QTest::qWaitFor([&] { return panel.IsSearching(); }));
        }
        words.selectAll();
        QTest::keyClick(&words, Qt::Key_Delete);
        QTest::qWait(20);
        EXPECT_EQ(panel.GetResults().GetCount(), 0u);
        EXPECT_FALSE(panel.IsSearching());
        EXPECT_EQ(program.frame->GetCountPane().text(), "0 results");
    }

    // With the setting off, only Enter or the button searches.
    program.session.settings.SetSearchAsYouType(false);
    searches = 0;
    QTest::keyClicks(&words, "readme");
    QTest::qWait(20);
    EXPECT_EQ(searches, 0);
    QTest::keyClick(&words, Qt::Key_Return);
    program.WaitForSearch();
    EXPECT_EQ(panel.GetResults().GetCount(), 14u);
}

TEST(CollSearchPanel, ASearchKeepsToItsDisksWhileTheyAreSortedOrRemovedAndEndsOnClose) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    CCollDoc& doc = program.session.doc;
    CCollDisksCtrl& disks = program.frame->GetView().GetBrowsePanel().GetDisksCtrl();
    std::vector<std::string> titles;
    for (const auto& disk : doc.collection.disks) {
        titles.push_back(disk->title);
    }
    // The disks the results came from, in the order they came.
    auto walked = [&panel] {
        std::vector<std::string> found;
        for (std::size_t i = 0; i < panel.GetResults().GetCount(); ++i) {
            std::string path = panel.GetResults().GetPath(i);
            path.resize(path.find(':'));
            if (found.empty() || found.back() != path) {
                found.push_back(path);
            }
        }
        return found;
    };

    // Searched from the Browse tab, whose disks table is sorted and loses a disk meanwhile.
    program.frame->GetView().ShowBrowseTab();
    panel.StartSearch();
    QTest::mouseDClick(disks.viewport(), Qt::LeftButton, {},
                       QPoint(ColumnX(disks, 0), disks.GetHeaderHeight() / 2));
    ClickRow(disks, 0);
    program.frame->Execute(CCollCommand::removeDisk);
    program.WaitForSearch();
    EXPECT_EQ(doc.collection.disks.size(), titles.size() - 1);
    EXPECT_EQ(doc.collection.disks[0]->title, "Backup 2005-03");
    EXPECT_EQ(walked(), titles);
    EXPECT_EQ(panel.GetResults().GetCount(), sampleItems);

    // Close ends it at once, and nothing of it comes afterwards.
    program.ui.answers = {CPlatformUi::Answer::no};
    panel.StartSearch();
    program.frame->Execute(CCollCommand::closeCollection);
    EXPECT_TRUE(doc.collection.disks.empty());
    EXPECT_FALSE(panel.IsSearching());
    EXPECT_EQ(panel.GetSearchButton().text(), "Search");
    std::size_t countAtClose = panel.GetResults().GetCount();
    QTest::qWait(50);
    EXPECT_EQ(panel.GetResults().GetCount(), countAtClose);
    EXPECT_TRUE(program.messages.messages.empty());
}

TEST(CollSearchPanel, ManyResultsAreSortedOffTheWindowsThreadKeepingTheChosenOne) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    CCollSearchResultsCtrl& table = program.Table();
    panel.sortInPlaceRows = 0;
    program.Search("");
    ASSERT_EQ(table.GetRowCount(), static_cast<int>(sampleItems));
    const std::string firstArrived = program.Cell(0, 2);
    ClickRow(table, 5);
    const std::string chosen = program.Cell(5, 2);

    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {},
                       QPoint(ColumnX(table, 2), table.GetHeaderHeight() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.IsSorting(); }));
    std::vector<std::string> paths;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        paths.push_back(program.Cell(row, 2));
    }
    EXPECT_TRUE(std::is_sorted(paths.begin(), paths.end()));
    ASSERT_GE(table.GetSelectedRow(), 0);
    EXPECT_EQ(program.Cell(table.GetSelectedRow(), 2), chosen);

    // A sort still running when a new search clears the results never orders the new ones.
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {},
                       QPoint(ColumnX(table, 0), table.GetHeaderHeight() / 2));
    program.Search("");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.IsSorting(); }));
    QTest::qWait(20);
    EXPECT_EQ(program.Cell(0, 2), firstArrived);
}

TEST(CollSearchPanel, EachNewCollectionStartsWithAllChosenAndItsResultsAtTheStart) {
    CProgram program;
    CCollSearchPanel& panel = program.Panel();
    CCollDoc& doc = program.session.doc;
    QComboBox& disks = panel.GetPage1().GetDiskList();
    QComboBox& types = panel.GetPage1().GetTypeList();
    disks.setCurrentIndex(3);
    const QString chosen = disks.currentText();
    types.setCurrentText("Folder");

    // A change to the collection keeps the chosen disk while it is there.
    doc.SelectDisk(doc.collection.disks[0]);
    doc.RemoveCurrentDisk();
    EXPECT_EQ(disks.count(), 8);
    EXPECT_EQ(disks.currentText(), chosen);
    EXPECT_EQ(types.currentText(), "Folder");
    doc.SelectDisk(doc.collection.FindDiskByTitle(chosen.toStdString()));
    doc.RemoveCurrentDisk();
    EXPECT_EQ(disks.count(), 7);
    EXPECT_EQ(disks.currentText(), "All");

    // Results scrolled to their end and their last column start at the start again.
    program.Search("");
    CCollSearchResultsCtrl& table = program.Table();
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_End);
    QTest::keyClick(&table, Qt::Key_Right);
    ASSERT_GT(table.GetTopRow(), 0);
    ASSERT_EQ(table.GetFirstColumn(), 1);

    // New, Close and Open each list their own disks with "All" chosen in both lists.
    disks.setCurrentIndex(1);
    program.ui.answers = {CPlatformUi::Answer::no};
    ASSERT_TRUE(program.frame->Execute(CCollCommand::newCollection));
    EXPECT_EQ(disks.count(), 1);
    EXPECT_EQ(disks.currentText(), "All");
    EXPECT_EQ(types.currentText(), "All");
    ASSERT_TRUE(program.Open(samplePath));
    EXPECT_EQ(disks.count(), 9);
    disks.setCurrentIndex(2);
    types.setCurrentText("Folder");
    ASSERT_TRUE(program.Open(samplePath));
    EXPECT_EQ(disks.currentText(), "All");
    EXPECT_EQ(types.currentText(), "All");
    program.Search("");
    EXPECT_EQ(panel.GetResults().GetCount(), sampleItems);
    EXPECT_EQ(table.GetTopRow(), 0);
    EXPECT_EQ(table.GetFirstColumn(), 0);
    EXPECT_TRUE(program.messages.messages.empty());
}

TEST(CollSearchPanel, ResultsAreOpenedCopiedAndFoundInTheBrowsePanel) {
    CProgram program;
    CCollDoc& doc = program.session.doc;
    CItemRequests requests;
    doc.AddView(&requests);
    CCollSearchResultsCtrl& table = program.Table();
    program.Search("readme.txt");
    ASSERT_GT(table.GetRowCount(), 2);
    std::string second = program.Cell(1, 2);

    // A double-click and Enter open; Ctrl+C and the menu copy.
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, QPoint(40, RowY(table, 0)));
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_Home);
    QTest::keyClick(&table, Qt::Key_Down);
    QTest::keyClick(&table, Qt::Key_Return);
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    bool chosen = false;
    ChooseFromMenu("Copy", chosen);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(&table, &menuKey);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(requests.requests,
              (std::vector<std::string>{"open " + program.Cell(0, 2), "open " + second,
                                        "copy " + second, "copy " + second}));

    // Find item in structure shows the Browse tab with the file chosen in its folder.
    chosen = false;
    ChooseFromMenu("Find item in structure", chosen);
    QApplication::sendEvent(&table, &menuKey);
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(program.frame->GetView().IsBrowseTabCurrent());
    ASSERT_NE(doc.currentFile, nullptr);
    EXPECT_EQ(doc.currentFile->name, program.Cell(1, 0));
    CCollFilesCtrl& files = program.frame->GetView().GetBrowsePanel().GetFilesCtrl();
    ASSERT_GE(files.GetSelectedRow(), 0);
    EXPECT_EQ(files.GetFile(files.GetSelectedRow()), doc.currentFile);
    EXPECT_TRUE(program.messages.messages.empty());
    doc.RemoveView(&requests);
}

TEST(CollSearchPanel, FieldsAreNamedByTheirLabels) {
    CProgram program;
    CCollSearchPanel1& page = program.Panel().GetPage1();
    for (QLabel* label : page.findChildren<QLabel*>()) {
        ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
    std::vector<QString> named;
    for (QLabel* label : program.Panel().findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            named.push_back(label->text().remove('&'));
        }
    }
    EXPECT_EQ(named.size(), 5u);
    // Tab goes from the words through the other fields to the button and the results.
    QWidget* order = &page.GetWordsEdit();
    std::vector<QWidget*> expected{&page.GetDiskList(), &page.GetTypeList(), &page.GetCaseCheck(),
                                   &program.Panel().GetSearchButton(), &program.Table()};
    for (QWidget* next : expected) {
        order = order->nextInFocusChain();
        while (order->focusPolicy() == Qt::NoFocus || !order->isVisible()) {
            order = order->nextInFocusChain();
        }
        EXPECT_EQ(order, next) << order->objectName().toStdString();
    }
}

TEST(CollSearchPanel, Screenshot) {
    QString out = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (out.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CProgram program;
    program.frame->resize(screenshotSize);
    program.Search("readme");
    program.Table().ShowRow(2);
    QApplication::processEvents();
    EXPECT_TRUE(program.frame->grab().save(out + "/search.png"));
    program.Panel().GetTabs().setCurrentIndex(1);
    program.Panel().GetPage2().GetTimeList().setCurrentIndex(3);
    QApplication::processEvents();
    EXPECT_TRUE(program.frame->grab().save(out + "/search_dates.png"));
}
