// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/table_wnd.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/profile.h"
#include "platform/ui/display_text.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"
#include "toolkit/table_model.h"
#include "toolkit/ui/column_painter.h"
#include "toolkit/ui/table_style.h"

namespace {

class CSampleModel : public CTableModel {
public:
    std::string GetCellText(int row, int column) const override {
        ++cellTexts;
        return "r" + std::to_string(row) + "c" + std::to_string(column);
    }
    void SetCellText(int row, int column, const std::string& text) override {
        edits.push_back(std::to_string(row) + "," + std::to_string(column) + "=" + text);
    }

    mutable int cellTexts = 0;
    std::vector<std::string> edits;
};

// Records every hook it is called with, then does what the table does by default.
class CRecordingTable : public CTableWnd {
public:
    ~CRecordingTable() override { EndEdit(); }

    void SelectRow(int row) override {
        Record("select " + std::to_string(row));
        CTableWnd::SelectRow(row);
    }

    std::vector<std::string> calls;
    std::vector<std::string> menuItems;
    // The menu item the user picks; empty: the menu is dismissed.
    QString menuChoice;

protected:
    void OnHeaderClick(int column) override { Record("header " + std::to_string(column)); }
    void OnCellClick(int row, int column) override {
        Record("cell " + std::to_string(row) + "," + std::to_string(column));
        CTableWnd::OnCellClick(row, column);
    }
    void OnClickOutside(int x, int y) override {
        Record("outside");
        CTableWnd::OnClickOutside(x, y);
    }
    void OnDoubleClickOutside(int /*x*/, int /*y*/) override { Record("double outside"); }
    void OnRowDoubleClick(int row) override { Record("double row " + std::to_string(row)); }
    void OnHeaderDoubleClick(int column) override {
        Record("double header " + std::to_string(column));
    }
    void OnHeaderRightClick(int column) override {
        Record("right header " + std::to_string(column));
        CTableWnd::OnHeaderRightClick(column);
    }
    void OnRightClickOutside(int /*x*/, int /*y*/) override { Record("right outside"); }
    void OnRowRightClick(int row, int column) override {
        Record("right cell " + std::to_string(row) + "," + std::to_string(column));
    }
    void OnEditStart(int row, int column) override {
        Record("edit start " + std::to_string(row) + "," + std::to_string(column));
    }
    void OnEditDone(int row, int column, const std::string& text) override {
        Record("edit done " + std::to_string(row) + "," + std::to_string(column) + "=" + text);
        CTableWnd::OnEditDone(row, column, text);
    }
    QAction* ExecColumnMenu(QMenu& menu, const QPoint& /*position*/) override {
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            menuItems.push_back(action->text().toStdString());
            if (action->text() == menuChoice) {
                chosen = action;
            }
        }
        return chosen;
    }

private:
    void Record(const std::string& call) { calls.push_back(call); }
};

// Three columns of 100 pixels, "A", "B" and "C", and 20 rows in a 400 x 300 window.
class TableWnd : public testing::Test {
protected:
    void SetUp() override {
        model.AddColumn(0, "A", 0, 100, 0);
        model.AddColumn(1, "B", 1, 100, 0);
        model.AddColumn(2, "C", 2, 100, 0);
        model.SetRowCount(20);
        table.SetModel(&model);
        table.resize(400, 300);
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
        header = table.GetHeaderHeight();
        row = table.GetRowHeight();
    }

    QWidget* View() { return table.viewport(); }
    // The middle of `index` rows below the top row.
    int RowY(int index) const { return header + index * row + row / 2; }
    void Click(int x, int y, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(View(), Qt::LeftButton, modifiers, QPoint(x, y));
    }
    void RightClick(int x, int y) {
        QPoint at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, View()->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(View(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, View()->mapToGlobal(at),
                            Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(View(), &release);
    }
    void Wheel(int delta, Qt::KeyboardModifiers modifiers = {}) {
        QPoint at(150, RowY(1));
        QWheelEvent wheel(at, View()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View(), &wheel);
    }
    void DragBorder(int from, int to) {
        QTest::mouseMove(View(), QPoint(from, header / 2));
        QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(from, header / 2));
        QTest::mouseMove(View(), QPoint(to, header / 2));
        QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(to, header / 2));
    }
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls = table.calls;
        table.calls.clear();
        return calls;
    }
    QImage Render() {
        QImage image(View()->size(), QImage::Format_RGB32);
        View()->render(&image);
        return image;
    }

    CSampleModel model;
    CRecordingTable table;
    int header = 0;
    int row = 0;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(TableWnd, ClicksSelectRowsAndBordersHeaderAndEmptySpaceDoNot) {
    ASSERT_GT(header, 0);
    ASSERT_GT(row, 2);
    Click(150, RowY(2));
    EXPECT_EQ(table.GetSelectedRow(), 2);
    EXPECT_EQ(TakeCalls(), (Calls{"cell 2,1", "select 2"}));

    Click(250, RowY(2));  // the selected row again: nothing to redraw
    EXPECT_EQ(TakeCalls(), (Calls{"cell 2,2"}));

    Click(150, header / 2);
    EXPECT_EQ(TakeCalls(), (Calls{"header 1"}));
    EXPECT_EQ(table.GetSelectedRow(), 2);

    // A row's bottom border pixel is still that row; the next pixel is the next row.
    Click(50, header + row);
    EXPECT_EQ(table.GetSelectedRow(), 0);
    Click(50, header + row + 1);
    EXPECT_EQ(table.GetSelectedRow(), 1);

    Click(100, RowY(3));  // the border between A and B is no column
    EXPECT_EQ(table.GetSelectedRow(), -1);
    EXPECT_EQ(TakeCalls(),
              (Calls{"cell 0,0", "select 0", "cell 1,0", "select 1", "outside", "select -1"}));

    Click(50, RowY(3));
    Click(350, RowY(3));  // beside the last column
    EXPECT_EQ(table.GetSelectedRow(), -1);

    model.SetRowCount(2);
    table.OnModelChanged(0);
    Click(50, RowY(1));
    Click(50, RowY(2));  // below the last row
    EXPECT_EQ(table.GetSelectedRow(), -1);
}

TEST_F(TableWnd, DoubleAndRightClicksReachTheirHooksWithoutSelecting) {
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(150, RowY(4)));
    Calls calls = TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "double row 4");
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(250, header / 2));
    EXPECT_EQ(TakeCalls().back(), "double header 2");

    model.SetRowCount(3);
    table.OnModelChanged(0);
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(50, RowY(5)));
    EXPECT_EQ(TakeCalls().back(), "double outside");

    table.SetSelection(1);
    RightClick(150, RowY(2));
    RightClick(50, header / 2);
    RightClick(350, RowY(0));
    RightClick(50, RowY(4));
    EXPECT_EQ(TakeCalls(),
              (Calls{"right cell 2,1", "right header 0", "right outside", "right outside"}));
    EXPECT_EQ(table.GetSelectedRow(), 1);
    EXPECT_TRUE(table.menuItems.empty());  // no column menu unless asked for
}

TEST_F(TableWnd, ColumnMenuMovesAColumnOverInvisibleOnes) {
    CSampleModel other;
    other.AddColumn(0, "P", 0, 100, 0);
    other.AddColumn(1, "Q", 1, 100, 0).visible = false;
    other.AddColumn(2, "R", 2, 100, 0);
    table.SetModel(&other);
    table.columnMenu = true;
    ASSERT_EQ(table.GetVisibleColumns().size(), 2u);

    table.menuChoice = "Sposta colonna a sinistra";
    RightClick(150, header / 2);
    EXPECT_EQ(table.menuItems, (Calls{"Sposta colonna a sinistra", "Sposta colonna a destra"}));
    EXPECT_EQ(other.columns[0]->title, "R");
    EXPECT_EQ(other.columns[1]->title, "Q");
    EXPECT_EQ(table.GetVisibleColumns()[0]->title, "R");
    EXPECT_TRUE(other.columnsChanged);

    // At the left end, or with the menu dismissed, nothing moves.
    other.SetColumnsChanged(false);
    RightClick(50, header / 2);
    table.menuChoice.clear();
    RightClick(150, header / 2);
    EXPECT_EQ(other.columns[0]->title, "R");
    EXPECT_FALSE(other.columnsChanged);

    table.menuChoice = "Sposta colonna a destra";
    RightClick(50, header / 2);
    EXPECT_EQ(table.GetVisibleColumns()[0]->title, "P");
    table.SetModel(&model);
}

TEST_F(TableWnd, WheelAndKeysScrollButNeverSelect) {
    model.SetRowCount(100);
    table.OnModelChanged(0);
    table.SetSelection(7);
    table.SetTopRow(95);
    Wheel(-120);
    EXPECT_EQ(table.GetTopRow(), 99);
    Wheel(120);
    EXPECT_EQ(table.GetTopRow(), 89);
    Wheel(120, Qt::ShiftModifier);
    Wheel(120, Qt::ControlModifier);
    EXPECT_EQ(table.GetTopRow(), 89);
    // Fractions of a notch from a touchpad add up to whole rows.
    Wheel(-6);
    EXPECT_EQ(table.GetTopRow(), 89);
    Wheel(-6);
    EXPECT_EQ(table.GetTopRow(), 90);

    QTest::keyClick(&table, Qt::Key_Up);
    EXPECT_EQ(table.GetTopRow(), 89);
    QTest::keyClick(&table, Qt::Key_Home);
    QTest::keyClick(&table, Qt::Key_Up);
    EXPECT_EQ(table.GetTopRow(), 0);
    int page = (View()->height() - header) / row;
    QTest::keyClick(&table, Qt::Key_PageDown);
    EXPECT_EQ(table.GetTopRow(), page);
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(table.GetTopRow(), page + 1);
    EXPECT_EQ(table.verticalScrollBar()->value(), page + 1);
    QTest::keyClick(&table, Qt::Key_End);
    QTest::keyClick(&table, Qt::Key_PageDown);
    EXPECT_EQ(table.GetTopRow(), 99);

    table.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(table.GetTopRow(), 99 - page);

    QTest::keyClick(&table, Qt::Key_Left);
    EXPECT_EQ(table.GetFirstColumn(), 0);
    QTest::keyClick(&table, Qt::Key_Right);
    QTest::keyClick(&table, Qt::Key_Right);
    QTest::keyClick(&table, Qt::Key_Right);
    EXPECT_EQ(table.GetFirstColumn(), 2);
    EXPECT_EQ(table.GetColumnAt(50), 2);
    table.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(table.GetFirstColumn(), 1);
    EXPECT_EQ(table.horizontalScrollBar()->value(), 1);
    table.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(table.GetFirstColumn(), 1);
    EXPECT_EQ(table.horizontalScrollBar()->value(), 1);

    // Columns that all fit leave nothing to scroll to, until the view is narrowed or moved.
    QTest::keyClick(&table, Qt::Key_Left);
    table.resize(2000, table.height());
    EXPECT_EQ(table.horizontalScrollBar()->maximum(), 0);
    QTest::keyClick(&table, Qt::Key_Right);
    EXPECT_EQ(table.GetFirstColumn(), 1);
    EXPECT_EQ(table.horizontalScrollBar()->value(), 1);
    QTest::keyClick(&table, Qt::Key_Left);
    table.resize(150, table.height());
    EXPECT_GT(table.horizontalScrollBar()->maximum(), 0);

    EXPECT_EQ(table.GetSelectedRow(), 7);

    // And rows: a table whose rows all fit has no bar until it is scrolled off its first row.
    model.SetRowCount(3);
    table.OnModelChanged(0);
    QTest::keyClick(&table, Qt::Key_Home);
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 0);
    QTest::keyClick(&table, Qt::Key_Down);
    ASSERT_EQ(table.GetTopRow(), 1);
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 2);
    EXPECT_EQ(table.verticalScrollBar()->value(), 1);
    QTest::keyClick(&table, Qt::Key_Up);
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 0);
}

TEST_F(TableWnd, DraggedBordersResizeColumnsAndTheWidthsPersist) {
    CTempFolder folder;
    CIniFile ini;
    ini.Load(folder.Path("Tamblor.ini"));
    CIniFile* previous = SetProfile(&ini);

    QTest::mouseMove(View(), QPoint(199, header / 2));
    EXPECT_EQ(View()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(View(), QPoint(150, header / 2));
    EXPECT_EQ(View()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(View(), QPoint(200, RowY(1)));
    EXPECT_EQ(View()->cursor().shape(), Qt::ArrowCursor);

    // Past the column's left edge: shut, but not negative.
    DragBorder(200, 30);
    EXPECT_EQ(model.columns[1]->width, 0);
    EXPECT_EQ(model.columns[0]->width, 100);
    EXPECT_TRUE(model.columnsChanged);
    EXPECT_EQ(table.GetTotalWidth(), 200);
    EXPECT_EQ(table.GetColumnAt(150), 2);
    EXPECT_TRUE(table.calls.empty());  // a drag is no click

    DragBorder(100, 100);
    EXPECT_EQ(model.columns[1]->width, 0);
    DragBorder(101, 300);
    EXPECT_EQ(model.columns[1]->width, 200);
    EXPECT_EQ(table.GetTotalWidth(), 400);

    model.columns[1]->width = 0;
    model.SaveColumnWidths("FilesTable");
    ini.Save();
    CIniFile reloaded;
    reloaded.Load(folder.Path("Tamblor.ini"));
    SetProfile(&reloaded);
    CTableModel loaded;
    loaded.AddColumn(0, "A", 0, 20, 0);
    loaded.AddColumn(1, "B", 1, 20, 0);
    loaded.AddColumn(2, "D", 3, 20, 0);
    loaded.LoadColumnWidths("FilesTable");
    EXPECT_EQ(loaded.columns[0]->width, 100);
    EXPECT_EQ(loaded.columns[1]->width, 0);
    EXPECT_EQ(loaded.columns[2]->width, 100);
    SetProfile(previous);
}

TEST_F(TableWnd, AShrinkingRowCountPullsTheViewAndSelectionBack) {
    table.SetTopRow(15);
    table.SetSelection(18);
    model.SetRowCount(10);
    table.OnModelChanged(0);
    EXPECT_EQ(table.GetTopRow(), 9);
    EXPECT_EQ(table.GetSelectedRow(), -1);
    EXPECT_EQ(table.verticalScrollBar()->maximum(), 9);

    table.SetSelection(12);  // outside the table: ignored
    table.SetTopRow(12);
    EXPECT_EQ(table.GetSelectedRow(), -1);
    EXPECT_EQ(table.GetTopRow(), 9);

    model.SetRowCount(0);
    table.OnModelChanged(0);
    EXPECT_EQ(table.GetTopRow(), 0);
    Click(50, RowY(0));
    QTest::keyClick(&table, Qt::Key_End);
    EXPECT_EQ(table.GetSelectedRow(), -1);
    EXPECT_EQ(table.GetTopRow(), 0);
}

TEST_F(TableWnd, AMillionRowsPaintOnlyWhatIsInView) {
    model.SetRowCount(1000000);
    table.OnModelChanged(0);
    table.SetTopRow(999990);
    table.SetSelection(999992);
    model.cellTexts = 0;
    QImage image = Render();
    EXPECT_EQ(model.cellTexts, 10 * 3);

    const CTableStyle& style = table.GetStyle();
    const QRgb background = table.palette().color(QPalette::Base).rgb();
    EXPECT_EQ(image.pixel(95, RowY(2)), style.highlightColour.rgb());
    EXPECT_EQ(image.pixel(95, RowY(3)), style.windowColour.rgb());
    EXPECT_EQ(image.pixel(99, RowY(3)), style.verticalGridColour.rgb());
    EXPECT_EQ(image.pixel(50, header - 1 + 3 * row), style.horizontalGridColour.rgb());
    EXPECT_EQ(image.pixel(350, RowY(3)), background);
    EXPECT_EQ(image.pixel(50, RowY(12)), background);
    EXPECT_EQ(image.pixel(150, 0), QColor(Qt::white).rgb());  // the header's raised edge

    // Scrolled to the start, the rows drawn are the first ones.
    QTest::keyClick(&table, Qt::Key_Home);
    model.cellTexts = 0;
    image = Render();
    int shown = (View()->height() - header + row - 1) / row;
    EXPECT_EQ(model.cellTexts, shown * 3);
    EXPECT_EQ(image.pixel(95, RowY(2)), style.windowColour.rgb());
}

TEST_F(TableWnd, ADarkPaletteDrawsTheHeaderAndGridInItsOwnShades) {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    dark.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xE6, 0xE6, 0xE6));
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Shadow, QColor(0x14, 0x14, 0x14));
    table.setPalette(dark);
    QImage image = Render();

    EXPECT_EQ(image.pixel(150, 0), QColor(0x50, 0x50, 0x50).rgb());           // lit edge
    EXPECT_EQ(image.pixel(199, header / 2), QColor(0x14, 0x14, 0x14).rgb());  // shadowed edge
    EXPECT_EQ(image.pixel(150, RowY(1)), QColor(0x24, 0x24, 0x24).rgb());
    // The grid stays a faint line on the dark rows, nearer their colour than the text's.
    const int grid = qGray(image.pixel(99, RowY(1)));
    const int between = qGray(image.pixel(50, header - 1 + 2 * row));
    EXPECT_EQ(grid, between);
    EXPECT_GT(grid, 0x24);
    EXPECT_LT(grid - 0x24, 0xE6 - grid);
}

TEST_F(TableWnd, EditsInPlaceOnASecondClickAndEndOnAnyClick) {
    model.columns[1]->editable = true;
    Click(150, RowY(2));
    Click(150, RowY(2));
    EXPECT_EQ(table.GetEditor(), nullptr);  // editing is off

    table.editEnabled = true;
    Click(50, RowY(2));
    EXPECT_EQ(table.GetEditor(), nullptr);  // column A is not editable
    table.calls.clear();
    Click(150, RowY(2));
    QLineEdit* editor = table.GetEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "r2c1");
    EXPECT_EQ(editor->geometry(), QRect(100, header + 2 * row, 99, row - 1));
    EXPECT_EQ(TakeCalls(), (Calls{"cell 2,1", "edit start 2,1"}));

    editor->setText("new name");
    Click(250, RowY(5));
    EXPECT_EQ(table.GetEditor(), nullptr);
    EXPECT_EQ(TakeCalls(), (Calls{"edit done 2,1=new name", "cell 5,2", "select 5"}));
    EXPECT_EQ(model.edits, (Calls{"2,1=new name"}));

    // Scrolling ends an edit too; Return does as well.
    table.StartEdit(5, 1);
    ASSERT_NE(table.GetEditor(), nullptr);
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(table.GetEditor(), nullptr);
    table.StartEdit(6, 1);
    QTest::keyClick(table.GetEditor(), Qt::Key_Return);
    EXPECT_EQ(table.GetEditor(), nullptr);
    EXPECT_EQ(model.edits, (Calls{"2,1=new name", "5,1=r5c1", "6,1=r6c1"}));

    table.StartEdit(6, 1);
    table.MoveEdit(1, 0);
    ASSERT_NE(table.GetEditor(), nullptr);
    EXPECT_EQ(table.GetEditor()->text(), "r7c1");
    table.MoveEdit(0, 5);  // outside the table: the edit just ends
    EXPECT_EQ(table.GetEditor(), nullptr);
}

TEST_F(TableWnd, CopyPlacesTheTextAndOtherEditCommandsSayTheyAreMissing) {
    CScriptedPlatformUi ui;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("before");
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "before");

    table.copyText = "Caff\xC3\xA8 & co";
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("Caff\xC3\xA8 & co"));

    QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ui.calls, (Calls{"message: Function to be implemented",
                               "message: Function to be implemented"}));
}

TEST(TableText, UndecodableBytesShowAsWindows1252AndTimesAsMonthFirst) {
    EXPECT_EQ(DisplayText("Caff\xC3\xA8"), QString::fromUtf8("Caff\xC3\xA8"));
    EXPECT_EQ(DisplayText("Caff\xE8"), QString::fromUtf8("Caff\xC3\xA8"));
    EXPECT_EQ(DisplayText("\x80 5"), QString::fromUtf8("\xE2\x82\xAC 5"));
    EXPECT_EQ(DisplayText("\xC0\xAF"), QString::fromUtf8("\xC3\x80\xC2\xAF"));  // overlong "/"
    EXPECT_EQ(DisplayText("\xF0\x9F\x92\xBF"), QString::fromUtf8("\xF0\x9F\x92\xBF"));

    const char* saved = std::getenv("TZ");
    std::optional<std::string> zone =
        saved != nullptr ? std::optional(std::string(saved)) : std::nullopt;
    ::setenv("TZ", "Europe/Rome", 1);
    ::tzset();
    EXPECT_EQ(TimeText(1167044400), "12/25/06 12:00:00");
    EXPECT_EQ(TimeText(1152957600), "07/15/06 12:00:00");
    EXPECT_EQ(TimeText(0), "01/01/70 01:00:00");
    EXPECT_EQ(TimeText(unknownTime), "");
    // Two digits would read back as another year: four are shown.
    EXPECT_EQ(TimeText(-1), "01/01/70 00:59:59");
    EXPECT_EQ(TimeText(-315619200), "01/01/1960 01:00:00");
    EXPECT_EQ(TimeText(2208988800), "01/01/2040 01:00:00");
    zone ? ::setenv("TZ", zone->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
}

// Pictures to look at: TAMBLOR_SCREENSHOTS=folder writes them there.
TEST(TableWndPicture, Screenshot) {
    QString folder = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    class CKindsTable : public CTableWnd {
    protected:
        void DrawCell(QPainter& painter, int row, int column, const QRect& rect) override {
            const CTableColumn& shown = *GetVisibleColumns()[column];
            switch (shown.id) {
                case 1:
                    DrawInt(painter, shown, rect, row * 1500 - 5);
                    break;
                case 2:
                    DrawDouble(painter, shown, rect, row * 2.5);
                    break;
                case 3:
                    DrawTime(painter, shown, rect, 1167044400 + row * 86400);
                    break;
                case 4:
                    DrawCheck(painter, rect, row % 2, this);
                    break;
                case 5:
                    DrawColor(painter, rect, QColor::fromHsv(row * 40 % 360, 200, 220));
                    break;
                default:
                    DrawString(painter, shown, rect,
                               row == 1 ? std::string("Fotografie & video \xE8 lunghissimo")
                                        : "Disco " + std::to_string(row) + " gjpq");
                    break;
            }
        }
    };
    CTableModel model;
    model.AddColumn(0, "Title", 0, 120, 0);
    model.AddColumn(1, "Files", 1, 60, 0);
    model.AddColumn(2, "Size", 2, 70, 0);
    model.AddColumn(3, "Creation", 3, 130, 0);
    model.AddColumn(4, "Ok", 4, 30, 0);
    model.AddColumn(5, "Colour with a long title", 5, 60, 0);
    model.SetRowCount(8);
    CKindsTable table;
    table.SetModel(&model);
    table.SetSelection(2);
    table.resize(520, 220);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    EXPECT_TRUE(table.grab().save(folder + "/table_wnd.png"));
}

TEST(TableStyle, RowsAndStartingColumnsFollowTheFont) {
    CTableStyle style;
    QFont font = style.font;
    font.setPointSize(9);
    style.SetFont(font);
    style.Measure();
    const int row = style.rowHeight;
    const QString time = "00/00/00 00:00:00";
    const int timeWidth = style.GetStartWidth("Creation", time);
    // The whole sample fits between the cell's insets; a longer title wins over it.
    EXPECT_GE(timeWidth, QFontMetrics(style.font).horizontalAdvance(time) + 5);
    const std::string title = "A title longer than its cells";
    EXPECT_GE(style.GetStartWidth(title, "7"),
              QFontMetrics(style.boldFont).horizontalAdvance(QString::fromStdString(title)) + 9);
    EXPECT_EQ(style.GetStartWidth("Creation", time, 18), timeWidth + 18);

    font.setPointSize(18);
    style.SetFont(font);
    style.Measure();
    EXPECT_GT(style.rowHeight, row * 3 / 2);
    EXPECT_GT(style.GetStartWidth("Creation", time), timeWidth * 3 / 2);
}
