// SPDX-License-Identifier: GPL-3.0-or-later
// The grid control of the toolkit: a header line and rows of cells drawn from a CTableModel,
// with one selected row, scrolling by rows and by whole columns, column borders that can be
// dragged, and hooks for clicks that the catalogue's tables override. Only the rows and
// columns in view are ever drawn or asked for their text, so a table may hold millions of rows.
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/model_wnd.h"
#include "toolkit/ui/table_style.h"

class CTableColumn;
class QAction;
class QLineEdit;
class QMenu;

class CTableWnd : public CModelWnd {
    Q_OBJECT

public:
    explicit CTableWnd(QWidget* parent = nullptr);
    // An edit still in progress goes to the model, past any OnEditDone override (the subclass
    // is gone by then). A subclass that edits, or that deletes the model in its destructor,
    // calls EndEdit() there first.
    ~CTableWnd() override;

    // Takes the model's columns and row count again.
    void OnModelChanged(int hint) override;
    // Refills the shown columns from the model's visible ones, in model order.
    void RebuildColumns();
    // Rows 0 to count - 1 vertically, shown columns horizontally, or no range (and no bar)
    // while all of them are in view. A row count that shrank pulls the top row and the
    // selection back inside the table.
    void UpdateScrollRanges();
    // Each bar's range: the rows, or the shown columns, or none while they all fit.
    void UpdateRowRange();
    void UpdateColumnRange();
    // Ignored for a row outside the table.
    void SetSelection(int row);
    void SetTopRow(int row);
    // Brings the first row and the first column into view: for content that replaced what
    // the table showed, which starts at its beginning whatever was scrolled to before.
    void ShowFromStart();
    // Selects `row` (-1: none) and redraws the rows concerned.
    virtual void SelectRow(int row);

    // The column (an index in the shown columns) at viewport x, -1 on a border or beyond the
    // last column; the row at viewport y, -1 in the header or below the last row. The bottom
    // border pixel of a row belongs to it.
    int GetColumnAt(int x) const;
    int GetRowAt(int y) const;
    // The part of the cell at `row` (-1: the header) and shown `column` that is in view, in
    // viewport pixels; empty when none of it is.
    QRect GetCellRect(int row, int column) const;
    // The text of `row` in shown `column` as a screen reader reads it: by default the model's
    // text, as DrawCell draws it. A table whose DrawCell draws something else (numbers,
    // times, a check mark) overrides this to give the same thing in words.
    virtual QString GetCellDisplayText(int row, int column) const;

    // In-place editing of `row` and shown `column`, when editEnabled is set.
    void StartEdit(int row, int column);
    // Hands the edited text to OnEditDone and removes the editor; nothing when not editing.
    void EndEdit();
    // Ends the edit and starts one at the cell that far away, when that is in the table.
    void MoveEdit(int rowOffset, int columnOffset);
    // The editor while a cell is edited, else null.
    QLineEdit* GetEditor() const;

    // Places copyText on the clipboard; nothing when it is empty.
    void Copy();
    // What select all, cut, paste and undo do in a table for now.
    void ShowNotImplemented();

    int GetFirstColumn() const { return firstColumn; }
    int GetTopRow() const { return topRow; }
    int GetSelectedRow() const { return selectedRow; }
    int GetRowCount() const;
    int GetTotalWidth() const { return totalWidth; }
    const std::vector<CTableColumn*>& GetVisibleColumns() const { return visibleColumns; }
    CTableStyle& GetStyle() { return *style; }
    // The measured heights (they are measured on first use).
    int GetHeaderHeight() const;
    int GetRowHeight() const;

    // A second click on the selected row edits the cell, when its column is editable.
    bool editEnabled = false;
    bool highlightSelection = true;
    // A right-click on a header offers to move the column left or right.
    bool columnMenu = false;
    // What the copy command places on the clipboard (core text).
    std::string copyText;

protected:
    void Draw(QPainter& painter, const QRect& area) override;
    void OnSysColorChange() override;

    virtual void DrawRow(QPainter& painter, int row, int first, int last, const QRect& rect);
    // `column` is an index in the shown columns; the painter holds the row's text colour and
    // is clipped to `rect`.
    virtual void DrawCell(QPainter& painter, int row, int column, const QRect& rect);
    virtual void OnHeaderClick(int column);
    virtual void OnCellClick(int row, int column);
    virtual void OnClickOutside(int x, int y);
    virtual void OnDoubleClickOutside(int x, int y);
    virtual void OnRowDoubleClick(int row);
    virtual void OnHeaderDoubleClick(int column);
    virtual void OnResizeTrack(int x);
    virtual void OnEditDone(int row, int column, const std::string& text);
    virtual void OnEditStart(int row, int column);
    virtual void OnHeaderRightClick(int column);
    virtual void OnRightClickOutside(int x, int y);
    virtual void OnRowRightClick(int row, int column);
    // Shows the column menu at `position` (global) and returns the chosen action, or null.
    virtual QAction* ExecColumnMenu(QMenu& menu, const QPoint& position);

    // The position in the model's columns of shown `column`, -1 when there is none.
    int GetModelColumn(int column) const;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    int firstColumn = 0;
    int topRow = 0;
    int selectedRow = -1;
    int totalWidth = 0;
    std::vector<CTableColumn*> visibleColumns;
    std::unique_ptr<CTableStyle> style;

private:
    // Moves the view so that `row` is the top row (clamped); scrolls the pixels already drawn.
    void ScrollToRow(int row);
    // Moves the first shown column by `delta`; nothing at either end.
    void ScrollColumns(int delta);
    void OnHorizontalAction(int action);
    int GetPageRows() const;
    // Number of rows drawn from topRow down to the bottom of the window.
    int GetDrawnRowCount(int bottom) const;
    int GetColumnLeft(int column) const;
    void InvalidateRow(int row);
    // The row that shows the keyboard focus: the selected one, else the top row; -1 when the
    // table has no rows.
    int GetFocusRow() const;
    // A dotted frame around the focus row, inside the grid lines.
    void DrawFocus(QPainter& painter);
    void RecomputeTotalWidth();
    QRect GetDragLine() const;
    // Shows the split cursor when `at` is on the header within a pixel of a column's right
    // edge, and remembers that column for a drag.
    void UpdateSplitCursor(const QPoint& at);
    static bool IsStandardCommand(const QKeyEvent* event);
    // Removes the editor and returns its text as core text.
    std::string TakeEditText();

    bool splitCursor = false;
    bool resizing = false;
    int dragX = 0;
    int dragColumn = -1;
    int dragColumnLeft = 0;
    int dragBottom = 0;
    // Wheel turns below one row, kept until they add up to one.
    int wheelRemainder = 0;
    // Owned by the viewport as its child; null when not editing.
    QPointer<QLineEdit> editor;
    int editRow = -1;
    int editColumn = -1;
};
