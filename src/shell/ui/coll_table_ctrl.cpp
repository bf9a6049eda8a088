// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/coll_table_ctrl.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "platform/ini_file.h"
#include "platform/profile.h"
#include "platform/ui/display_text.h"
#include "toolkit/table_column.h"
#include "toolkit/table_model.h"
#include "toolkit/ui/column_painter.h"

namespace {

// The row icon and the room between it and the text.
constexpr int iconSide = 16;
constexpr int iconGap = 2;

}  // namespace

void CCollTableCtrl::LoadColumnWidths(CTableModel& tableModel,
                                      const std::vector<QString>& samples) {
    tableModel.LoadColumnWidths();
    const CIniFile* profile = GetProfile();
    for (std::size_t at = 0; at < tableModel.columns.size() && at < samples.size(); ++at) {
        CTableColumn& column = *tableModel.columns[at];
        if (profile == nullptr || profile->GetString(tableModel.name, column.title).empty()) {
            const int lead = column.id == iconColumnId ? iconSide + iconGap : 0;
            column.width = GetStyle().GetStartWidth(column.title, samples[at], lead);
        }
    }
}

CCollTableCtrl::CCollTableCtrl(QWidget* parent) : CTableWnd(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void CCollTableCtrl::ShowRow(int row) {
    showing = true;
    SelectRow(row);
    showing = false;
    if (row >= 0) {
        int pageRows = std::max(1, (viewport()->height() - GetHeaderHeight()) / GetRowHeight());
        if (row < GetTopRow() || row >= GetTopRow() + pageRows) {
            SetTopRow(std::max(0, row - pageRows / 2));
        }
    }
}

void CCollTableCtrl::SelectRow(int row) {
    bool changed = row != GetSelectedRow();
    CTableWnd::SelectRow(row);
    if (changed && !showing && row >= 0) {
        OnRowChosen(row);
        emit RowChosen();
    }
}

void CCollTableCtrl::OnRowDoubleClick(int row) {
    OnRowActivated(row);
}

void CCollTableCtrl::OnRowRightClick(int row, int /*column*/) {
    SelectRow(row);
    ShowMenu(row, QCursor::pos());
}

void CCollTableCtrl::ShowMenu(int row, const QPoint& globalPosition) {
    std::vector<std::pair<CCollCommand, QString>> commands = GetMenuCommands(row);
    if (commands.empty()) {
        return;
    }
    QMenu menu(this);
    for (const auto& [command, text] : commands) {
        menu.addAction(text)->setData(static_cast<int>(command));
    }
    if (QAction* chosen = menu.exec(globalPosition)) {
        emit CommandRequested(static_cast<CCollCommand>(chosen->data().toInt()));
    }
}

void CCollTableCtrl::contextMenuEvent(QContextMenuEvent* event) {
    // A right-click is handled on the press; this is the keyboard's menu key.
    if (event->reason() != QContextMenuEvent::Keyboard || GetSelectedRow() < 0) {
        return;
    }
    int y = GetHeaderHeight() + (GetSelectedRow() - GetTopRow()) * GetRowHeight();
    y = std::clamp(y, GetHeaderHeight(), std::max(GetHeaderHeight(), viewport()->height() - 1));
    ShowMenu(GetSelectedRow(), viewport()->mapToGlobal(QPoint(20, y + GetRowHeight() / 2)));
}

void CCollTableCtrl::MoveSelection(int row) {
    int count = GetRowCount();
    if (count == 0) {
        return;
    }
    row = std::clamp(row, 0, count - 1);
    SelectRow(row);
    int pageRows = std::max(1, (viewport()->height() - GetHeaderHeight()) / GetRowHeight());
    if (row < GetTopRow()) {
        SetTopRow(row);
    } else if (row >= GetTopRow() + pageRows) {
        SetTopRow(row - pageRows + 1);
    }
}

bool CCollTableCtrl::event(QEvent* event) {
    // Copy is the program's command here, which copies the item from the disk; the other
    // edit keys mean nothing in a catalogue's list.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            // Not taken: the shortcut goes to the menu's command.
            event->ignore();
            return false;
        }
    }
    return CTableWnd::event(event);
}

void CCollTableCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo)) {
        event->ignore();
        return;
    }
    int selected = GetSelectedRow();
    int pageRows = std::max(1, (viewport()->height() - GetHeaderHeight()) / GetRowHeight() - 1);
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        CTableWnd::keyPressEvent(event);
        return;
    }
    // The keys choose rows, as they do in the desktop's other lists.
    switch (event->key()) {
        case Qt::Key_Up:
            MoveSelection(selected < 0 ? 0 : selected - 1);
            return;
        case Qt::Key_Down:
            MoveSelection(selected + 1);
            return;
        case Qt::Key_PageUp:
            MoveSelection(selected < 0 ? 0 : selected - pageRows);
            return;
        case Qt::Key_PageDown:
            MoveSelection(selected + pageRows);
            return;
        case Qt::Key_Home:
            MoveSelection(0);
            return;
        case Qt::Key_End:
            MoveSelection(GetRowCount() - 1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selected >= 0) {
                OnRowActivated(selected);
            }
            return;
        default:
            CTableWnd::keyPressEvent(event);
            return;
    }
}

void CCollTableCtrl::DrawCell(QPainter& painter, int row, int column, const QRect& rect) {
    const CTableColumn& shown = *GetVisibleColumns()[column];
    std::string text = model->GetCellText(row, GetModelColumn(column));
    if (shown.id != iconColumnId || rowIcon.isNull()) {
        DrawString(painter, shown, rect, text);
        return;
    }
    QRect iconRect(rect.left() + 1, rect.top() + (rect.height() - iconSide) / 2, iconSide,
                   iconSide);
    rowIcon.paint(&painter, iconRect);
    QRect textRect = rect.adjusted(iconSide + iconGap, 0, 0, 0);
    DrawString(painter, shown, textRect, text);
}
