// SPDX-License-Identifier: GPL-3.0-or-later
// What the catalogue's tables share over CTableWnd: a row chosen by the mouse or the keyboard
// is reported once to OnRowChosen, the pop-up menu opens from a right-click or the keyboard's
// menu key, and the first column draws an icon before its text.
#pragma once

#include <QIcon>
#include <QString>
#include <vector>

#include "shell/coll_commands.h"
#include "toolkit/ui/table_wnd.h"

class CTableModel;

class CCollTableCtrl : public CTableWnd {
    Q_OBJECT

public:
    explicit CCollTableCtrl(QWidget* parent = nullptr);

    // Selects `row` and scrolls it into view, without reporting it as chosen.
    void ShowRow(int row);

signals:
    // A command chosen from the pop-up menu or asked for by a double-click or Enter.
    void CommandRequested(CCollCommand command);
    // The user chose a row: the document's selection has changed.
    void RowChosen();

protected:
    // The user chose `row` (never -1).
    virtual void OnRowChosen(int row) = 0;
    // The commands of the pop-up menu for `row`, with the texts to show.
    virtual std::vector<std::pair<CCollCommand, QString>> GetMenuCommands(int row) const = 0;
    // Enter, or a double-click on a row.
    virtual void OnRowActivated(int row) = 0;

    void SelectRow(int row) override;
    void OnRowDoubleClick(int row) override;
    void OnRowRightClick(int row, int column) override;
    void DrawCell(QPainter& painter, int row, int column, const QRect& rect) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Loads the model's widths from the profile; a column the user has not sized yet starts
    // wide enough for its title and for the text in `samples` at its place, in the table's font.
    void LoadColumnWidths(CTableModel& tableModel, const std::vector<QString>& samples);

    // The icon drawn before the text of the column whose id is `iconColumnId`.
    QIcon rowIcon;
    int iconColumnId = 0;

private:
    void ShowMenu(int row, const QPoint& globalPosition);
    void MoveSelection(int row);

    // Set while the selection is moved by the program, not chosen by the user.
    bool showing = false;
};
