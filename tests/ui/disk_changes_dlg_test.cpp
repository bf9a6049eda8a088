// SPDX-License-Identifier: GPL-3.0-or-later
// The box that shows a disk's differences before its index is rewritten, as a screen reader
// reads it: the counts, the cells of the table with odd names, and its sorting.

#include "shell/ui/dialogs/disk_changes_dlg.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "shell/ui/coll_table_ctrl.h"

namespace {

using Kind = CDiskChange::Kind;

CDiskChange Change(Kind kind, std::vector<std::string> names, std::uint64_t oldSize,
                   std::uint64_t size) {
    CDiskChange change;
    change.change = kind;
    change.names = std::move(names);
    change.oldSize = oldSize;
    change.size = size;
    change.oldModified = 1'000'000'000;
    change.modified = 1'100'000'000;
    return change;
}

QString Cell(QAccessibleInterface* table, int row, int column) {
    QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
    return cell != nullptr ? cell->text(QAccessible::Name) : "(none)";
}

}  // namespace

TEST(DiskChangesDlg, ReadsEveryDifferenceWithItsNamesAndSortsByAnyColumn) {
    CDiskDiff diff;
    // A name that is not UTF-8 and holds a backslash, below a folder.
    diff.changes.push_back(Change(Kind::added, {"Docs", "new \xe9\\x.txt"}, 0, 7));
    CDiskChange folder = Change(Kind::deleted, {"Old"}, 0, 0);
    folder.folder = true;
    diff.changes.push_back(folder);
    diff.changes.push_back(Change(Kind::modified, {"a.txt"}, 3, 30));
    CDiskChange moved = Change(Kind::moved, {"b.txt"}, 5, 5);
    moved.oldNames = {"Docs", "b.txt"};
    diff.changes.push_back(moved);

    CDiskChangesDlg dialog("Holiday \xe9", diff);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Update disk index - Holiday \u00e9"));
    EXPECT_EQ(dialog.countsLabel->text(), "1 added, 1 deleted, 1 modified, 1 moved");
    ASSERT_NE(dialog.table, nullptr);
    ASSERT_NE(dialog.saveButton, nullptr);
    EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->buttons().size(), 2);

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(dialog.table);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "Differences");
    EXPECT_EQ(table->tableInterface()->rowCount(), 4);
    EXPECT_EQ(Cell(table, 0, 0), "Added");
    EXPECT_EQ(Cell(table, 0, 1), "File");
    EXPECT_EQ(Cell(table, 0, 2), QString::fromUtf8("Docs\\new \u00e9\\x.txt"));
    // An addition has no old size, a folder no size at all; a move says where it was.
    EXPECT_EQ(Cell(table, 0, 4), "");
    EXPECT_EQ(Cell(table, 0, 5), "7");
    EXPECT_FALSE(Cell(table, 0, 7).isEmpty());
    EXPECT_EQ(Cell(table, 1, 1), "Folder");
    EXPECT_EQ(Cell(table, 1, 4), "");
    EXPECT_EQ(Cell(table, 1, 6), "");
    EXPECT_EQ(Cell(table, 3, 3), "Docs\\b.txt");

    // By the new size, the rows without one first; then by path, bytes in order.
    dialog.table->OnHeaderDoubleClick(5);
    EXPECT_EQ(Cell(table, 0, 0), "Deleted");
    EXPECT_EQ(Cell(table, 1, 0), "Moved");
    EXPECT_EQ(Cell(table, 2, 0), "Added");
    EXPECT_EQ(Cell(table, 3, 0), "Modified");
    dialog.table->OnHeaderDoubleClick(2);
    EXPECT_EQ(Cell(table, 0, 2), "Docs\\new \u00e9\\x.txt");
    EXPECT_EQ(Cell(table, 3, 2), "b.txt");
}

TEST(DiskChangesDlg, WithoutDifferencesOnlySaysSo) {
    CDiskDiff none;
    CDiskChangesDlg dialog("Holiday", none);
    EXPECT_NE(dialog.countsLabel->text().indexOf("nothing to update"), -1);
    EXPECT_EQ(dialog.table, nullptr);
    EXPECT_EQ(dialog.saveButton, nullptr);
    EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->buttons().size(), 1);
}
