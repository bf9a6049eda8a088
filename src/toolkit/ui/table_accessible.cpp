// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/table_accessible.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <utility>

#include "platform/ui/display_text.h"
#include "toolkit/table_column.h"
#include "toolkit/ui/table_wnd.h"

namespace {

TableEventRecorder recorder;

bool EventsWanted() {
    return recorder || QAccessible::isActive();
}

void Send(QAccessibleEvent& event) {
    if (recorder) {
        recorder(event);
    }
    QAccessible::updateAccessibility(&event);
}

// The interfaces made so far, by table, so that a model change can drop their cells even when
// no event goes out. Never destroyed: Qt may delete an interface after static destructors ran.
std::map<const CTableWnd*, CTableAccessible*>& Made() {
    static auto* made = new std::map<const CTableWnd*, CTableAccessible*>;
    return *made;
}

int ShownColumnCount(const CTableWnd& table) {
    return static_cast<int>(table.GetVisibleColumns().size());
}

// A header cell (row -1) or a cell of a table; it reads the table each time it is asked, so
// it never shows stale text, and says it is invalid once its row or column is gone.
class CTableCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CTableCellAccessible(CTableWnd* table, int row, int column)
        : tableWnd(table), row(row), column(column) {}

    bool isValid() const override {
        return tableWnd != nullptr && row >= -1 && row < tableWnd->GetRowCount() && column >= 0 &&
               column < ShownColumnCount(*tableWnd);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return tableWnd != nullptr ? tableWnd->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return tableWnd != nullptr ? QAccessible::queryAccessibleInterface(tableWnd) : nullptr;
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !isValid()) {
            return {};
        }
        if (row < 0) {
            return DisplayText(tableWnd->GetVisibleColumns()[column]->title);
        }
        return tableWnd->GetCellDisplayText(row, column);
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        QRect shown = tableWnd->GetCellRect(row, column);
        if (shown.isEmpty()) {
            return {};
        }
        return QRect(tableWnd->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }
    QAccessible::Role role() const override {
        return row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.offscreen = tableWnd->GetCellRect(row, column).isEmpty();
        if (row >= 0) {
            state.selectable = true;
            state.focusable = true;
            state.selected = isSelected();
            state.focused = state.selected && column == 0 && tableWnd->hasFocus();
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && row >= 0) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return nullptr;
    }

    bool isSelected() const override {
        return isValid() && row >= 0 && row == tableWnd->GetSelectedRow();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        auto* owner = dynamic_cast<CTableAccessible*>(parent());
        QAccessibleInterface* header = owner != nullptr ? owner->GetCell(-1, column) : nullptr;
        return header != nullptr ? QList<QAccessibleInterface*>{header}
                                 : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column; }
    int rowIndex() const override { return row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    const CTableWnd* GetTable() const { return tableWnd; }
    int GetRow() const { return row; }
    int GetColumn() const { return column; }

protected:
    ~CTableCellAccessible() override = default;

private:
    QPointer<CTableWnd> tableWnd;
    const int row;
    const int column;
};

QAccessibleInterface* MakeTableAccessible(const QString& /*className*/, QObject* object) {
    auto* table = qobject_cast<CTableWnd*>(object);
    return table != nullptr ? new CTableAccessible(table) : nullptr;
}

CTableAccessible* QueryTable(CTableWnd& table) {
    return dynamic_cast<CTableAccessible*>(QAccessible::queryAccessibleInterface(&table));
}

QEvent::Type FocusLaterEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void Post(QAccessibleInterface* cell, QAccessible::Event type) {
    QAccessibleEvent event(cell, type);
    Send(event);
}

}  // namespace

void InstallTableAccessible() {
    static const bool installed = (QAccessible::installFactory(&MakeTableAccessible), true);
    (void)installed;
}

void NotifyTableSelection(CTableWnd& table, int oldRow) {
    const int row = table.GetSelectedRow();
    if (row == oldRow || !EventsWanted()) {
        return;
    }
    CTableAccessible* accessible = QueryTable(table);
    if (accessible == nullptr) {
        return;
    }
    if (QAccessibleInterface* cell = accessible->cellAt(row, 0)) {
        Post(cell, QAccessible::Selection);
        if (table.hasFocus()) {
            Post(cell, QAccessible::Focus);
        }
    } else if (QAccessibleInterface* old = accessible->cellAt(oldRow, 0)) {
        Post(old, QAccessible::SelectionRemove);
    }
}

void NotifyTableFocus(CTableWnd& table) {
    if (EventsWanted()) {
        // Qt announces the table itself once its focus-in handling is over; the selected row
        // comes after that, or the screen reader would end up on the table.
        QCoreApplication::postEvent(&table, new QEvent(FocusLaterEvent()));
    }
}

bool AnnounceTableFocus(CTableWnd& table, const QEvent& event) {
    if (event.type() != FocusLaterEvent()) {
        return false;
    }
    if (EventsWanted() && table.hasFocus() && table.GetSelectedRow() >= 0) {
        if (CTableAccessible* accessible = QueryTable(table)) {
            if (QAccessibleInterface* cell = accessible->cellAt(table.GetSelectedRow(), 0)) {
                Post(cell, QAccessible::Focus);
            }
        }
    }
    return true;
}

void NotifyTableModelChanged(CTableWnd& table) {
    if (auto found = Made().find(&table); found != Made().end()) {
        found->second->DropCells();
    }
    if (EventsWanted()) {
        QAccessibleTableModelChangeEvent event(&table,
                                               QAccessibleTableModelChangeEvent::ModelReset);
        Send(event);
    }
}

void SetTableEventRecorder(TableEventRecorder newRecorder) {
    recorder = std::move(newRecorder);
}

CTableAccessible::CTableAccessible(CTableWnd* table)
    : QAccessibleWidget(table, QAccessible::Table), key(table) {
    Made()[key] = this;
}

CTableAccessible::~CTableAccessible() {
    DropCells();
    if (auto found = Made().find(key); found != Made().end() && found->second == this) {
        Made().erase(found);
    }
}

CTableWnd* CTableAccessible::Table() const {
    return static_cast<CTableWnd*>(object());
}

int CTableAccessible::childCount() const {
    // Qt counts children in an int; rows past that stay reachable through cellAt.
    const long long count = static_cast<long long>(rowCount() + 1) * columnCount();
    return static_cast<int>(std::min<long long>(count, INT_MAX));
}

QAccessibleInterface* CTableAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0) {
        return nullptr;
    }
    return GetCell(index / columns - 1, index % columns);
}

int CTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const CTableCellAccessible*>(child);
    if (cell == nullptr || cell->GetTable() != Table() || !cell->isValid()) {
        return -1;
    }
    const long long index =
        static_cast<long long>(cell->GetRow() + 1) * columnCount() + cell->GetColumn();
    return index <= INT_MAX ? static_cast<int>(index) : -1;
}

QAccessibleInterface* CTableAccessible::childAt(int x, int y) const {
    CTableWnd* table = Table();
    if (table == nullptr) {
        return nullptr;
    }
    const QPoint at = table->viewport()->mapFromGlobal(QPoint(x, y));
    const int column = table->viewport()->rect().contains(at) ? table->GetColumnAt(at.x()) : -1;
    if (column < 0) {
        return nullptr;
    }
    const int row = at.y() < table->GetHeaderHeight() ? -1 : table->GetRowAt(at.y());
    if (row < 0 && at.y() >= table->GetHeaderHeight()) {
        return nullptr;
    }
    return GetCell(row, column);
}

QAccessibleInterface* CTableAccessible::focusChild() const {
    CTableWnd* table = Table();
    if (table != nullptr && table->hasFocus() && table->GetSelectedRow() >= 0) {
        if (QAccessibleInterface* cell = cellAt(table->GetSelectedRow(), 0)) {
            return cell;
        }
    }
    return QAccessibleWidget::focusChild();
}

QString CTableAccessible::text(QAccessible::Text kind) const {
    CTableWnd* table = Table();
    if (kind != QAccessible::Name || table == nullptr) {
        return QAccessibleWidget::text(kind);
    }
    QString name = table->accessibleName();
    return name.isEmpty() ? table->objectName() : name;
}

QAccessible::Role CTableAccessible::role() const {
    return QAccessible::Table;
}

void* CTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* CTableAccessible::cellAt(int row, int column) const {
    return row >= 0 ? GetCell(row, column) : nullptr;
}

int CTableAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> CTableAccessible::selectedCells() const {
    QList<QAccessibleInterface*> selected;
    if (selectedRowCount() > 0) {
        for (int column = 0; column < columnCount(); ++column) {
            if (QAccessibleInterface* cell = GetCell(Table()->GetSelectedRow(), column)) {
                selected.append(cell);
            }
        }
    }
    return selected;
}

QString CTableAccessible::columnDescription(int column) const {
    const CTableWnd* table = Table();
    if (table == nullptr || column < 0 || column >= ShownColumnCount(*table)) {
        return {};
    }
    return DisplayText(table->GetVisibleColumns()[column]->title);
}

int CTableAccessible::selectedRowCount() const {
    const CTableWnd* table = Table();
    return table != nullptr && table->GetSelectedRow() >= 0 &&
                   table->GetSelectedRow() < table->GetRowCount()
               ? 1
               : 0;
}

int CTableAccessible::columnCount() const {
    const CTableWnd* table = Table();
    return table != nullptr ? ShownColumnCount(*table) : 0;
}

int CTableAccessible::rowCount() const {
    const CTableWnd* table = Table();
    return table != nullptr ? table->GetRowCount() : 0;
}

QList<int> CTableAccessible::selectedRows() const {
    return selectedRowCount() > 0 ? QList<int>{Table()->GetSelectedRow()} : QList<int>{};
}

bool CTableAccessible::isRowSelected(int row) const {
    return selectedRowCount() > 0 && row == Table()->GetSelectedRow();
}

bool CTableAccessible::selectRow(int row) {
    CTableWnd* table = Table();
    if (table == nullptr || table->GetModel() == nullptr || row < 0 ||
        row >= table->GetRowCount()) {
        return false;
    }
    if (row != table->GetSelectedRow()) {
        table->SelectRow(row);
    }
    if (row < table->GetTopRow() || table->GetCellRect(row, table->GetFirstColumn()).isEmpty()) {
        table->SetTopRow(row);
    }
    return true;
}

bool CTableAccessible::unselectRow(int row) {
    if (!isRowSelected(row)) {
        return false;
    }
    Table()->SelectRow(-1);
    return true;
}

void CTableAccessible::modelChange(QAccessibleTableModelChangeEvent* /*event*/) {
    DropCells();
}

QAccessibleInterface* CTableAccessible::GetCell(int row, int column) const {
    CTableWnd* table = Table();
    if (table == nullptr || row < -1 || row >= table->GetRowCount() || column < 0 ||
        column >= ShownColumnCount(*table)) {
        return nullptr;
    }
    const std::pair<int, int> at(row, column);
    if (auto found = cells.find(at); found != cells.end()) {
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(found->second)) {
            return cell;
        }
        cells.erase(found);
    }
    auto* cell = new CTableCellAccessible(table, row, column);
    cells.emplace(at, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

void CTableAccessible::DropCells() {
    // Taken out first: deleting a cell may come back here through Qt.
    std::map<std::pair<int, int>, QAccessible::Id> dropped;
    dropped.swap(cells);
    for (const auto& [at, id] : dropped) {
        QAccessible::deleteAccessibleInterface(id);
    }
}
