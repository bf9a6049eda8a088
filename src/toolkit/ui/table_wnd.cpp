// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/table_wnd.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/platform_ui.h"
#include "platform/ui/display_text.h"
#include "toolkit/table_model.h"
#include "toolkit/ui/column_painter.h"
#include "toolkit/ui/table_accessible.h"

namespace {

// A notch of the wheel is 120 units and moves ten rows.
constexpr int wheelUnitsPerRow = 12;

}  // namespace

CTableWnd::CTableWnd(QWidget* parent) : CModelWnd(parent), style(std::make_unique<CTableStyle>()) {
    InstallTableAccessible();
    style->ReadColours(palette());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CTableWnd::ScrollToRow);
    // Columns move one at a time: the thumb is not followed, and snaps back when let go.
    horizontalScrollBar()->setTracking(false);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &CTableWnd::OnHorizontalAction);
    UpdateScrollRanges();
}

CTableWnd::~CTableWnd() {
    // A subclass has ended its edit by now if it wanted it; what is left goes to the model.
    if (editor != nullptr) {
        std::string text = TakeEditText();
        CTableWnd::OnEditDone(editRow, editColumn, text);
    }
}

void CTableWnd::OnModelChanged(int /*hint*/) {
    RebuildColumns();
    UpdateScrollRanges();
    NotifyTableModelChanged(*this);
}

void CTableWnd::RebuildColumns() {
    visibleColumns.clear();
    if (model != nullptr) {
        for (const auto& column : model->columns) {
            if (column->visible) {
                visibleColumns.push_back(column.get());
            }
        }
    }
    firstColumn =
        std::clamp(firstColumn, 0, std::max(0, static_cast<int>(visibleColumns.size()) - 1));
    RecomputeTotalWidth();
    viewport()->update();
}

void CTableWnd::UpdateScrollRanges() {
    int rowCount = GetRowCount();
    if (model != nullptr) {
        topRow = std::clamp(topRow, 0, std::max(0, rowCount - 1));
        if (selectedRow >= rowCount) {
            selectedRow = -1;
        }
    }
    UpdateRowRange();
    UpdateColumnRange();
}

void CTableWnd::UpdateRowRange() {
    // The bars' signals stay connected: the scroll area shows or hides a bar on its range
    // signal. Nothing moves by it, the top row being inside the range already.
    const int rowCount = GetRowCount();
    const int pageRows = GetPageRows();
    const bool allShown = topRow == 0 && rowCount <= pageRows;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, allShown ? 0 : std::max(0, rowCount - 1));
    vertical->setPageStep(std::max(1, pageRows));
    vertical->setValue(topRow);
}

void CTableWnd::UpdateColumnRange() {
    // While every column fits from the first there is nowhere to scroll, and the bar goes;
    // the arrow keys still move the columns, which brings it back. The same goes for rows.
    const bool allShown = firstColumn == 0 && totalWidth <= viewport()->width();
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0,
                         allShown ? 0 : std::max(0, static_cast<int>(visibleColumns.size()) - 1));
    horizontal->setPageStep(1);
    horizontal->setValue(firstColumn);
}

void CTableWnd::SetSelection(int row) {
    if (model != nullptr && (row < 0 || row >= GetRowCount())) {
        return;
    }
    int old = selectedRow;
    selectedRow = row;
    viewport()->update();
    NotifyTableSelection(*this, old);
}

void CTableWnd::SetTopRow(int row) {
    if (row < 0 || row >= GetRowCount()) {
        return;
    }
    EndEdit();
    topRow = row;
    UpdateScrollRanges();
    viewport()->update();
}

void CTableWnd::ShowFromStart() {
    EndEdit();
    topRow = 0;
    firstColumn = 0;
    UpdateScrollRanges();
    viewport()->update();
}

void CTableWnd::SelectRow(int row) {
    int old = selectedRow;
    int oldFocus = GetFocusRow();
    selectedRow = row;
    InvalidateRow(old);
    InvalidateRow(row);
    if (hasFocus()) {
        // Without a selection the focus frame is on the top row, so it may move from or to it.
        InvalidateRow(oldFocus);
        InvalidateRow(GetFocusRow());
    }
    NotifyTableSelection(*this, old);
}

int CTableWnd::GetHeaderHeight() const {
    style->Measure();
    return style->headerHeight;
}

int CTableWnd::GetRowHeight() const {
    style->Measure();
    return std::max(style->rowHeight, 1);
}

int CTableWnd::GetRowCount() const {
    return model != nullptr ? std::max(model->GetRowCount(), 0) : 0;
}

int CTableWnd::GetColumnAt(int x) const {
    int left = 0;
    for (int column = firstColumn; column < static_cast<int>(visibleColumns.size()); ++column) {
        int right = left + visibleColumns[column]->width;
        if (left < x && x < right) {
            return column;
        }
        if (x < right) {
            break;
        }
        left = right;
    }
    return -1;
}

int CTableWnd::GetRowAt(int y) const {
    int headerHeight = GetHeaderHeight();
    if (y < headerHeight) {
        return -1;
    }
    // Row i spans headerHeight + i * rowHeight up to and including the next row's first pixel.
    int offset = y - headerHeight;
    int index = offset == 0 ? 0 : (offset - 1) / GetRowHeight();
    int rowCount = GetRowCount();
    return index < rowCount - topRow ? topRow + index : -1;
}

QRect CTableWnd::GetCellRect(int row, int column) const {
    if (model == nullptr || column < firstColumn ||
        column >= static_cast<int>(visibleColumns.size()) || row < -1 || row >= GetRowCount()) {
        return {};
    }
    int top = 0;
    int height = GetHeaderHeight();
    if (row >= 0) {
        if (row < topRow) {
            return {};
        }
        // Far below the view the row's offset would overflow an int.
        long long offset = static_cast<long long>(row - topRow) * GetRowHeight();
        if (offset >= viewport()->height()) {
            return {};
        }
        top = height + static_cast<int>(offset);
        height = GetRowHeight();
    }
    QRect cell(GetColumnLeft(column), top, visibleColumns[column]->width, height);
    return cell.intersected(viewport()->rect());
}

QString CTableWnd::GetCellDisplayText(int row, int column) const {
    int modelColumn = GetModelColumn(column);
    if (modelColumn < 0 || row < 0 || row >= GetRowCount()) {
        return {};
    }
    return DisplayText(model->GetCellText(row, modelColumn));
}

int CTableWnd::GetModelColumn(int column) const {
    if (model == nullptr || column < 0 || column >= static_cast<int>(visibleColumns.size())) {
        return -1;
    }
    for (std::size_t at = 0; at < model->columns.size(); ++at) {
        if (model->columns[at].get() == visibleColumns[column]) {
            return static_cast<int>(at);
        }
    }
    return -1;
}

int CTableWnd::GetPageRows() const {
    return (viewport()->height() - GetHeaderHeight()) / GetRowHeight();
}

int CTableWnd::GetDrawnRowCount(int bottom) const {
    int headerHeight = GetHeaderHeight();
    int rowHeight = GetRowHeight();
    int fit = bottom > headerHeight ? (bottom - headerHeight + rowHeight - 1) / rowHeight : 0;
    return std::max(0, std::min(fit, GetRowCount() - topRow));
}

int CTableWnd::GetColumnLeft(int column) const {
    int left = 0;
    for (int at = firstColumn; at < column; ++at) {
        left += visibleColumns[at]->width;
    }
    return left;
}

void CTableWnd::InvalidateRow(int row) {
    if (row < topRow || row - topRow > GetPageRows() + 1) {
        return;
    }
    int y = GetHeaderHeight() + (row - topRow) * GetRowHeight();
    viewport()->update(QRect(0, y - 1, viewport()->width(), GetRowHeight() + 2));
}

int CTableWnd::GetFocusRow() const {
    if (selectedRow >= 0) {
        return selectedRow;
    }
    return GetRowCount() > 0 ? topRow : -1;
}

void CTableWnd::RecomputeTotalWidth() {
    totalWidth = 0;
    for (const CTableColumn* column : visibleColumns) {
        totalWidth += column->width;
    }
    UpdateColumnRange();
}

void CTableWnd::Draw(QPainter& painter, const QRect& area) {
    if (model == nullptr || visibleColumns.empty()) {
        return;
    }
    const int headerHeight = GetHeaderHeight();
    const int rowHeight = GetRowHeight();
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();
    const int columnCount = static_cast<int>(visibleColumns.size());

    int first = firstColumn;
    int firstX = 0;
    while (first < columnCount && firstX + visibleColumns[first]->width <= area.x()) {
        firstX += visibleColumns[first]->width;
        ++first;
    }
    if (first == columnCount) {
        return;
    }
    int last = first;
    int lastRight = firstX + visibleColumns[first]->width;
    while (lastRight < areaRight && last + 1 < columnCount) {
        ++last;
        lastRight += visibleColumns[last]->width;
    }

    painter.setFont(style->boldFont);
    for (int column = first, x = firstX; column <= last; ++column) {
        const CTableColumn& shown = *visibleColumns[column];
        QRect rect(x, 0, shown.width, headerHeight);
        x += shown.width;
        if (shown.width <= 0 || headerHeight <= 0) {
            continue;
        }
        painter.fillRect(rect, style->headerColour);
        painter.fillRect(rect.x(), rect.y(), rect.width() - 1, 1, style->headerLightColour);
        painter.fillRect(rect.x(), rect.y(), 1, rect.height() - 1, style->headerLightColour);
        painter.fillRect(rect.right(), rect.y(), 1, rect.height(), style->headerShadowColour);
        painter.fillRect(rect.x(), rect.bottom(), rect.width(), 1, style->headerShadowColour);
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.setPen(style->headerTextColour);
        DrawHeader(painter, shown, rect);
        painter.restore();
    }

    const int drawnRows = GetDrawnRowCount(areaBottom);
    const int skipped = area.y() > headerHeight ? (area.y() - headerHeight) / rowHeight : 0;
    painter.setFont(style->font);
    for (int index = skipped; index < drawnRows; ++index) {
        QRect rect(firstX, headerHeight + index * rowHeight, lastRight - firstX, rowHeight);
        DrawRow(painter, topRow + index, first, last, rect);
    }

    const int rowsBottom = headerHeight + drawnRows * rowHeight;
    if (style->horizontalGrid) {
        for (int index = std::min(skipped, drawnRows); index <= drawnRows; ++index) {
            painter.fillRect(firstX, headerHeight - 1 + index * rowHeight, lastRight - firstX, 1,
                             style->horizontalGridColour);
        }
    }
    if (style->verticalGrid && drawnRows > 0) {
        for (int column = first, x = firstX; column <= last; ++column) {
            painter.fillRect(x - 1, headerHeight, 1, rowsBottom - headerHeight,
                             style->verticalGridColour);
            x += visibleColumns[column]->width;
        }
        painter.fillRect(lastRight - 1, headerHeight, 1, rowsBottom - headerHeight,
                         style->verticalGridColour);
    }
    if (hasFocus()) {
        DrawFocus(painter);
    }
}

void CTableWnd::DrawFocus(QPainter& painter) {
    const int row = GetFocusRow();
    if (row < topRow || row - topRow > GetPageRows()) {
        return;
    }
    // The frame spans the whole row, not just the columns of the area being painted.
    int right = 0;
    for (int column = firstColumn; column < static_cast<int>(visibleColumns.size()); ++column) {
        right += visibleColumns[column]->width;
    }
    const int top = GetHeaderHeight() + (row - topRow) * GetRowHeight();
    // The row's own text colour, dotted: it shows on the highlight as on the window colour
    // with any palette, where the styles' own focus frames can all but vanish on a highlight.
    const bool selected = highlightSelection && row == selectedRow;
    // Dots of one logical pixel, filled rather than stroked: a pen's dots stay one device pixel
    // on a scaled screen, where they all but vanish beside the grid lines.
    const QColor colour = selected ? style->highlightTextColour : style->windowTextColour;
    const int frameRight = std::min(right, viewport()->width()) - 2;
    const int bottom = top + GetRowHeight() - 2;
    for (int x = 0; x <= frameRight; x += 2) {
        painter.fillRect(x, top, 1, 1, colour);
        painter.fillRect(x, bottom, 1, 1, colour);
    }
    for (int y = top; y <= bottom; y += 2) {
        painter.fillRect(0, y, 1, 1, colour);
        painter.fillRect(frameRight, y, 1, 1, colour);
    }
}

void CTableWnd::DrawRow(QPainter& painter, int row, int first, int last, const QRect& rect) {
    bool selected = highlightSelection && row == selectedRow;
    painter.fillRect(rect, selected ? style->highlightColour : style->windowColour);
    painter.setPen(selected ? style->highlightTextColour : style->windowTextColour);
    int x = rect.x();
    for (int column = first; column <= last; ++column) {
        int width = visibleColumns[column]->width;
        QRect cell(x, rect.y(), width, rect.height());
        x += width;
        if (width <= 0) {
            continue;
        }
        painter.save();
        painter.setClipRect(cell, Qt::IntersectClip);
        DrawCell(painter, row, column, cell);
        painter.restore();
    }
}

void CTableWnd::DrawCell(QPainter& painter, int row, int column, const QRect& rect) {
    DrawString(painter, *visibleColumns[column], rect,
               model->GetCellText(row, GetModelColumn(column)));
}

void CTableWnd::paintEvent(QPaintEvent* event) {
    CModelWnd::paintEvent(event);
    if (resizing) {
        // The drag line inverts what lies under it, so it shows on any colour.
        QPainter painter(viewport());
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(GetDragLine(), Qt::white);
    }
}

QRect CTableWnd::GetDragLine() const {
    return QRect(dragX, 0, 1, dragBottom);
}

void CTableWnd::OnSysColorChange() {
    style->ReadColours(palette());
    CModelWnd::OnSysColorChange();
}

void CTableWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ApplicationFontChange) {
        style->SetFont(QApplication::font("QMenu"));
        UpdateScrollRanges();
        viewport()->update();
    }
    CModelWnd::changeEvent(event);
}

void CTableWnd::resizeEvent(QResizeEvent* event) {
    CModelWnd::resizeEvent(event);
    UpdateScrollRanges();
}

void CTableWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (resizing) {
        viewport()->setCursor(Qt::SplitHCursor);
        OnResizeTrack(at.x());
        return;
    }
    UpdateSplitCursor(at);
}

void CTableWnd::UpdateSplitCursor(const QPoint& at) {
    splitCursor = false;
    if (at.y() < GetHeaderHeight()) {
        // The last column whose right edge is near wins, so a column dragged shut can be
        // pulled open again.
        int left = 0;
        for (int column = firstColumn; column < static_cast<int>(visibleColumns.size()); ++column) {
            int right = left + visibleColumns[column]->width;
            if (std::abs(at.x() - right) < 2) {
                splitCursor = true;
                dragColumn = column;
                dragColumnLeft = left;
                dragX = at.x();
            }
            left = right;
            if (left > at.x() + 1) {
                break;
            }
        }
    }
    viewport()->setCursor(splitCursor ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void CTableWnd::OnResizeTrack(int x) {
    viewport()->update(GetDragLine());
    dragX = std::max(x, dragColumnLeft);
    viewport()->update(GetDragLine());
}

void CTableWnd::mousePressEvent(QMouseEvent* event) {
    EndEdit();
    setFocus(Qt::MouseFocusReason);
    if (model == nullptr) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const int column = GetColumnAt(at.x());
    // A cell needs both a column and a row; anything else beside the header is outside.
    const int row = column >= 0 ? GetRowAt(at.y()) : -1;
    if (event->button() == Qt::LeftButton) {
        UpdateSplitCursor(at);
        if (splitCursor) {
            dragBottom =
                GetHeaderHeight() + GetDrawnRowCount(viewport()->height()) * GetRowHeight();
            resizing = true;
            viewport()->update(GetDragLine());
            return;
        }
        if (column >= 0 && at.y() < GetHeaderHeight()) {
            OnHeaderClick(column);
        } else if (row >= 0) {
            OnCellClick(row, column);
        } else {
            OnClickOutside(at.x(), at.y());
        }
    } else if (event->button() == Qt::RightButton) {
        if (column >= 0 && at.y() < GetHeaderHeight()) {
            OnHeaderRightClick(column);
        } else if (row >= 0) {
            OnRowRightClick(row, column);
        } else {
            OnRightClickOutside(at.x(), at.y());
        }
    }
}

void CTableWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !resizing) {
        return;
    }
    resizing = false;
    viewport()->update(GetDragLine());
    if (dragColumn < 0 || dragColumn >= static_cast<int>(visibleColumns.size())) {
        return;
    }
    int width = dragX - dragColumnLeft;
    CTableColumn& column = *visibleColumns[dragColumn];
    if (width != column.width) {
        column.width = width;
        if (model != nullptr) {
            model->SetColumnsChanged(true);
        }
        RecomputeTotalWidth();
        viewport()->update();
    }
}

void CTableWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    EndEdit();
    setFocus(Qt::MouseFocusReason);
    if (model == nullptr) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const int column = GetColumnAt(at.x());
    if (column >= 0 && at.y() < GetHeaderHeight()) {
        OnHeaderDoubleClick(column);
    } else if (int row = GetRowAt(at.y()); column >= 0 && row >= 0) {
        OnRowDoubleClick(row);
    } else {
        OnDoubleClickOutside(at.x(), at.y());
    }
}

void CTableWnd::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0 || model == nullptr ||
        verticalScrollBar()->maximum() <= 0) {
        event->ignore();
        return;
    }
    event->accept();
    // Touchpads send fractions of a notch; they add up rather than being lost.
    wheelRemainder += event->angleDelta().y();
    int rows = wheelRemainder / wheelUnitsPerRow;
    wheelRemainder -= rows * wheelUnitsPerRow;
    if (rows != 0) {
        ScrollToRow(topRow - rows);
    }
}

bool CTableWnd::IsStandardCommand(const QKeyEvent* event) {
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) ||
           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste) ||
           event->matches(QKeySequence::Undo);
}

bool CTableWnd::event(QEvent* event) {
    // The edit commands reach the table, not the menu shortcuts, while it has the focus.
    if (event->type() == QEvent::ShortcutOverride &&
        IsStandardCommand(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (AnnounceTableFocus(*this, *event)) {
        return true;
    }
    return CModelWnd::event(event);
}

void CTableWnd::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    if (IsStandardCommand(event)) {
        ShowNotImplemented();
        return;
    }
    if (model == nullptr) {
        event->ignore();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Up:
            ScrollToRow(topRow - 1);
            break;
        case Qt::Key_Down:
            ScrollToRow(topRow + 1);
            break;
        case Qt::Key_PageUp:
            ScrollToRow(topRow - std::max(1, GetPageRows()));
            break;
        case Qt::Key_PageDown:
            ScrollToRow(topRow + std::max(1, GetPageRows()));
            break;
        case Qt::Key_Home:
            ScrollToRow(0);
            break;
        case Qt::Key_End:
            ScrollToRow(GetRowCount() - 1);
            break;
        case Qt::Key_Left:
            ScrollColumns(-1);
            break;
        case Qt::Key_Right:
            ScrollColumns(1);
            break;
        default:
            event->ignore();
            break;
    }
}

void CTableWnd::focusInEvent(QFocusEvent* event) {
    CModelWnd::focusInEvent(event);
    InvalidateRow(GetFocusRow());
    NotifyTableFocus(*this);
}

void CTableWnd::focusOutEvent(QFocusEvent* event) {
    CModelWnd::focusOutEvent(event);
    InvalidateRow(GetFocusRow());
}

void CTableWnd::ScrollToRow(int row) {
    int newTop = std::clamp(row, 0, std::max(0, GetRowCount() - 1));
    if (newTop == topRow) {
        QSignalBlocker block(verticalScrollBar());
        verticalScrollBar()->setValue(topRow);
        return;
    }
    EndEdit();
    const int old = topRow;
    topRow = newTop;
    // Leaving the first row may bring the bar, coming back to it take it away.
    UpdateRowRange();
    const int headerHeight = GetHeaderHeight();
    const QRect rowsArea(0, headerHeight, viewport()->width(),
                         std::max(0, viewport()->height() - headerHeight));
    const long long shift = static_cast<long long>(old - newTop) * GetRowHeight();
    if (shift > -rowsArea.height() && shift < rowsArea.height()) {
        viewport()->scroll(0, static_cast<int>(shift), rowsArea);
        if (selectedRow < 0 && hasFocus()) {
            // The focus frame sits on the top row: it leaves the old one and comes to the new.
            InvalidateRow(old);
            InvalidateRow(newTop);
        }
    } else {
        viewport()->update(rowsArea);
    }
}

void CTableWnd::ScrollColumns(int delta) {
    int newFirst = firstColumn + delta;
    if (newFirst < 0 || newFirst >= static_cast<int>(visibleColumns.size())) {
        return;
    }
    EndEdit();
    firstColumn = newFirst;
    UpdateColumnRange();
    viewport()->update();
}

void CTableWnd::OnHorizontalAction(int action) {
    QScrollBar* bar = horizontalScrollBar();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
        case QAbstractSlider::SliderPageStepAdd:
            ScrollColumns(1);
            break;
        case QAbstractSlider::SliderSingleStepSub:
        case QAbstractSlider::SliderPageStepSub:
            ScrollColumns(-1);
            break;
        default:
            // While the thumb is dragged it may move; once let go it returns.
            if (bar->isSliderDown()) {
                return;
            }
            break;
    }
    bar->setSliderPosition(firstColumn);
}

void CTableWnd::OnHeaderClick(int /*column*/) {}

void CTableWnd::OnCellClick(int row, int column) {
    EndEdit();
    if (row != selectedRow) {
        SelectRow(row);
    } else if (editEnabled && visibleColumns[column]->editable) {
        StartEdit(row, column);
    }
}

void CTableWnd::OnClickOutside(int /*x*/, int /*y*/) {
    EndEdit();
    if (selectedRow != -1) {
        SelectRow(-1);
    }
}

void CTableWnd::OnDoubleClickOutside(int /*x*/, int /*y*/) {}

void CTableWnd::OnRowDoubleClick(int /*row*/) {}

void CTableWnd::OnHeaderDoubleClick(int /*column*/) {}

void CTableWnd::OnEditDone(int row, int column, const std::string& text) {
    int modelColumn = GetModelColumn(column);
    if (modelColumn >= 0 && visibleColumns[column]->editable) {
        model->SetCellText(row, modelColumn, text);
    }
}

void CTableWnd::OnEditStart(int /*row*/, int /*column*/) {}

void CTableWnd::OnHeaderRightClick(int column) {
    if (!columnMenu) {
        return;
    }
    QMenu menu(this);
    QAction* left = menu.addAction(QStringLiteral("Sposta colonna a sinistra"));
    QAction* right = menu.addAction(QStringLiteral("Sposta colonna a destra"));
    QAction* chosen = ExecColumnMenu(menu, QCursor::pos());
    int modelColumn = GetModelColumn(column);
    if (chosen == nullptr || modelColumn < 0) {
        return;
    }
    bool moved = false;
    if (chosen == left) {
        moved = model->MoveColumnLeft(modelColumn);
    } else if (chosen == right) {
        moved = model->MoveColumnRight(modelColumn);
    }
    if (moved) {
        RebuildColumns();
        NotifyTableModelChanged(*this);
    }
}

QAction* CTableWnd::ExecColumnMenu(QMenu& menu, const QPoint& position) {
    return menu.exec(position);
}

void CTableWnd::OnRightClickOutside(int /*x*/, int /*y*/) {}

void CTableWnd::OnRowRightClick(int /*row*/, int /*column*/) {}

void CTableWnd::StartEdit(int row, int column) {
    EndEdit();
    if (model == nullptr || row < topRow || row >= GetRowCount() || column < firstColumn ||
        column >= static_cast<int>(visibleColumns.size())) {
        return;
    }
    editRow = row;
    editColumn = column;
    editor = new QLineEdit(viewport());
    editor->setFrame(false);
    editor->setFont(style->font);
    editor->setTextMargins(2, 0, 2, 0);
    // The cell as it is now on screen, inside its grid lines.
    editor->setGeometry(GetColumnLeft(column), GetHeaderHeight() + (row - topRow) * GetRowHeight(),
                        visibleColumns[column]->width - 1, GetRowHeight() - 1);
    editor->setText(DisplayText(model->GetCellText(row, GetModelColumn(column))));
    connect(editor, &QLineEdit::returnPressed, this, &CTableWnd::EndEdit);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    OnEditStart(row, column);
}

QLineEdit* CTableWnd::GetEditor() const {
    return editor;
}

void CTableWnd::EndEdit() {
    if (editor == nullptr) {
        return;
    }
    std::string text = TakeEditText();
    OnEditDone(editRow, editColumn, text);
}

std::string CTableWnd::TakeEditText() {
    QLineEdit* ending = editor;
    editor = nullptr;
    const bool hadFocus = ending->hasFocus();
    const QByteArray text = ending->text().toUtf8();
    ending->hide();
    // Deleted later: the edit may end from inside one of the editor's own signals.
    ending->deleteLater();
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

void CTableWnd::MoveEdit(int rowOffset, int columnOffset) {
    if (editor == nullptr) {
        return;
    }
    int row = editRow + rowOffset;
    int column = editColumn + columnOffset;
    EndEdit();
    if (row >= 0 && row < GetRowCount() && column >= 0 &&
        column < static_cast<int>(visibleColumns.size())) {
        StartEdit(row, column);
    }
}

void CTableWnd::Copy() {
    if (copyText.empty()) {
        return;
    }
    QApplication::clipboard()->setText(DisplayText(copyText));
}

void CTableWnd::ShowNotImplemented() {
    if (CPlatformUi* ui = GetPlatformUi()) {
        ui->ShowMessage("Function to be implemented", CPlatformUi::Icon::information);
    }
}
