// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/table_accessible.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "toolkit/table_model.h"
#include "toolkit/ui/table_wnd.h"

namespace {

class CNamesModel : public CTableModel {
public:
    std::string GetCellText(int row, int column) const override {
        ++cellTexts;
        return row == 1 && column == 0 ? "Caff\xE8"
                                       : "r" + std::to_string(row) + "c" + std::to_string(column);
    }
    mutable int cellTexts = 0;
};

// Draws its sizes itself, so it says them in words too; records the selections it is asked for.
class CSizesTable : public CTableWnd {
public:
    QString GetCellDisplayText(int row, int column) const override {
        if (GetVisibleColumns()[column]->id == 4) {
            return QString::number(row * 1500) + " bytes";
        }
        return CTableWnd::GetCellDisplayText(row, column);
    }
    void SelectRow(int row) override {
        selections.push_back(row);
        CTableWnd::SelectRow(row);
    }
    std::vector<int> selections;
};

// What reached the screen reader: "event row,column" for cells, "reset" for model changes.
std::vector<std::string> events;

void Record(QAccessibleEvent& event) {
    if (event.type() == QAccessible::TableModelChanged) {
        events.push_back("reset");
        return;
    }
    QAccessibleInterface* iface = event.accessibleInterface();
    if (iface == nullptr || iface->tableCellInterface() == nullptr) {
        return;
    }
    const char* kind = event.type() == QAccessible::Focus             ? "focus "
                       : event.type() == QAccessible::Selection       ? "selection "
                       : event.type() == QAccessible::SelectionRemove ? "unselected "
                                                                      : "other ";
    events.push_back(kind + std::to_string(iface->tableCellInterface()->rowIndex()) + "," +
                     std::to_string(iface->tableCellInterface()->columnIndex()));
}

// The rows whose left edge shows the dotted focus frame, read from what is on screen (a
// frame left behind by a scroll or a redraw of too little shows too).
std::vector<int> FramedRows(CTableWnd& table) {
    QCoreApplication::processEvents();
    const QPoint origin = table.viewport()->mapTo(table.window(), QPoint(0, 0));
    const QImage shown = table.window()->screen()->grabWindow(table.window()->winId()).toImage();
    std::vector<int> framed;
    for (int row = table.GetTopRow(); row < table.GetRowCount(); ++row) {
        const QRect cell = table.GetCellRect(row, 0);
        if (cell.isEmpty()) {
            break;
        }
        const QColor text = row == table.GetSelectedRow() ? table.GetStyle().highlightTextColour
                                                          : table.GetStyle().windowTextColour;
        for (int y = cell.top(); y < cell.bottom(); ++y) {
            if (shown.pixelColor(origin + QPoint(0, y)) == text) {
                framed.push_back(row);
                break;
            }
        }
    }
    return framed;
}

// "Name", a hidden "Path" and "Size" (id 4) over 20 rows, below a line edit in a window.
class TableAccessible : public testing::Test {
protected:
    void SetUp() override {
        model.AddColumn(0, "Name", 0, 100, 0);
        model.AddColumn(1, "Path", 7, 100, 0).visible = false;
        model.AddColumn(2, "Size", 4, 100, 0);
        model.SetRowCount(20);
        table = new CSizesTable;
        table->setObjectName("Files");
        table->SetModel(&model);
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(table);
        window.resize(300, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        iface = QAccessible::queryAccessibleInterface(table);
        ASSERT_NE(iface, nullptr);
        events.clear();
    }
    void TearDown() override { SetTableEventRecorder({}); }
    QAccessibleTableInterface* Grid() { return iface->tableInterface(); }
    QString Text(int row, int column) {
        QAccessibleInterface* cell = Grid()->cellAt(row, column);
        return cell != nullptr ? cell->text(QAccessible::Name) : "(none)";
    }

    CNamesModel model;
    QWidget window;
    QLineEdit* edit = nullptr;
    CSizesTable* table = nullptr;
    QAccessibleInterface* iface = nullptr;
};

}  // namespace

TEST_F(TableAccessible, ReadsTheShownColumnsHeadersAndCells) {
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), "Files");
    table->setAccessibleName("Search results");
    EXPECT_EQ(iface->text(QAccessible::Name), "Search results");
    ASSERT_NE(Grid(), nullptr);
    EXPECT_EQ(Grid()->rowCount(), 20);
    EXPECT_EQ(Grid()->columnCount(), 2);
    EXPECT_EQ(Grid()->columnDescription(1), "Size");
    EXPECT_EQ(iface->childCount(), 21 * 2);

    QAccessibleInterface* header = iface->child(1);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(header->text(QAccessible::Name), "Size");
    EXPECT_EQ(Text(1, 0), QString::fromUtf8("Caff\xC3\xA8"));  // core text, decoded as drawn
    EXPECT_EQ(Text(3, 1), "4500 bytes");                       // the subclass's words
    EXPECT_EQ(Text(20, 0), "(none)");
    EXPECT_EQ(Text(0, 2), "(none)");

    QAccessibleInterface* cell = Grid()->cellAt(2, 1);
    EXPECT_EQ(cell, iface->child(3 * 2 + 1));
    EXPECT_EQ(iface->indexOfChild(cell), 7);
    EXPECT_EQ(cell->parent(), iface);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    ASSERT_NE(cell->tableCellInterface(), nullptr);
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells(), QList{header});
    EXPECT_EQ(iface->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    EXPECT_FALSE(cell->state().offscreen);
    EXPECT_TRUE(Grid()->cellAt(19, 0)->state().offscreen);
    EXPECT_TRUE(Grid()->cellAt(19, 0)->rect().isEmpty());
}

TEST_F(TableAccessible, SelectionIsReportedSetAndAnnounced) {
    table->SetSelection(2);
    // No screen reader listens: nothing was sent, so no cell was made for it.
    EXPECT_EQ(dynamic_cast<CTableAccessible*>(iface)->GetCellCount(), 0);
    EXPECT_EQ(Grid()->selectedRows(), QList{2});
    EXPECT_TRUE(Grid()->cellAt(2, 1)->state().selected);
    EXPECT_FALSE(Grid()->cellAt(3, 1)->state().selected);

    SetTableEventRecorder(&Record);
    EXPECT_TRUE(Grid()->selectRow(18));  // below the view: scrolled into it
    EXPECT_EQ(table->selections, std::vector<int>{18});
    EXPECT_TRUE(Grid()->isRowSelected(18));
    EXPECT_FALSE(Grid()->cellAt(18, 0)->state().offscreen);
    EXPECT_FALSE(Grid()->selectRow(20));
    EXPECT_TRUE(Grid()->unselectRow(18));
    EXPECT_EQ(table->GetSelectedRow(), -1);
    EXPECT_EQ(Grid()->selectedCellCount(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"selection 18,0", "unselected 18,0"}));

    // With the focus, the selected row's first cell takes it, once Qt has announced the table.
    table->SetSelection(5);
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(table->hasFocus());
    QCoreApplication::processEvents();
    EXPECT_EQ(iface->focusChild(), Grid()->cellAt(5, 0));
    EXPECT_TRUE(Grid()->cellAt(5, 0)->state().focused);
    EXPECT_FALSE(Grid()->cellAt(5, 1)->state().focused);
    table->SelectRow(6);
    EXPECT_EQ(events,
              (std::vector<std::string>{"selection 18,0", "unselected 18,0", "selection 5,0",
                                        "focus 5,0", "selection 6,0", "focus 6,0"}));
}

TEST_F(TableAccessible, ModelChangesDropTheCellsAndAreAnnounced) {
    QAccessible::Id made = QAccessible::uniqueId(Grid()->cellAt(15, 1));
    model.SetRowCount(10);
    model.columns[1]->visible = true;
    table->OnModelChanged(0);
    EXPECT_EQ(QAccessible::accessibleInterface(made), nullptr);
    EXPECT_EQ(Grid()->rowCount(), 10);
    EXPECT_EQ(Grid()->columnCount(), 3);
    EXPECT_EQ(Grid()->columnDescription(1), "Path");
    EXPECT_EQ(Text(9, 1), "r9c1");

    SetTableEventRecorder(&Record);
    model.SetRowCount(0);
    table->OnModelChanged(0);
    EXPECT_EQ(events, std::vector<std::string>{"reset"});
    EXPECT_EQ(iface->childCount(), 3);  // the header line is left
    EXPECT_EQ(Grid()->cellAt(0, 0), nullptr);
}

TEST_F(TableAccessible, AMillionRowsMakeOnlyTheCellsAskedFor) {
    model.SetRowCount(1000000);
    table->OnModelChanged(0);
    auto* accessible = dynamic_cast<CTableAccessible*>(iface);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(iface->childCount(), 1000001 * 2);
    model.cellTexts = 0;
    EXPECT_EQ(Text(999999, 0), "r999999c0");
    EXPECT_EQ(iface->child(1000001 * 2 - 2), Grid()->cellAt(999999, 0));
    EXPECT_EQ(accessible->GetCellCount(), 1);
    EXPECT_EQ(model.cellTexts, 1);
}

TEST_F(TableAccessible, TabGivesTheTableFocusAndAFrameShowsWhere) {
    EXPECT_TRUE(FramedRows(*table).empty());
    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(table->hasFocus());
    EXPECT_EQ(FramedRows(*table), std::vector<int>{0});  // no selection: the top row
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(FramedRows(*table), std::vector<int>{2});
    table->SelectRow(4);
    EXPECT_EQ(FramedRows(*table), std::vector<int>{4});
    table->SelectRow(-1);
    EXPECT_EQ(FramedRows(*table), std::vector<int>{2});
    QTest::keyClick(table, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_TRUE(FramedRows(*table).empty());
}
