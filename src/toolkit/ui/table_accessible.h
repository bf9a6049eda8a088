// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader sees of a CTableWnd: a table of the shown columns whose header cells and
// cells are made only when asked for, and the events that tell it of a new selection, the focus
// and a changed model. The table window paints everything itself, so without this it would be
// an empty scroll area.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <functional>
#include <map>
#include <utility>

class CTableWnd;
class QEvent;

// Makes every CTableWnd, subclasses included, answer with a CTableAccessible. The table
// window calls it when it is built; the second call does nothing.
void InstallTableAccessible();

// Tell a listening screen reader what changed; they cost nothing while none listens. The
// selection: the new row is selected (and has the focus, when the table has it), or the old
// one lost its selection.
void NotifyTableSelection(CTableWnd& table, int oldRow);
// The table took the focus: the selected row is where it is. Told once Qt has announced the
// table, through an event posted to it that the table hands to AnnounceTableFocus.
void NotifyTableFocus(CTableWnd& table);
// Tells of the focus when `event` is the one NotifyTableFocus posted; false for any other.
bool AnnounceTableFocus(CTableWnd& table, const QEvent& event);
// The rows or the shown columns changed: the cells made so far are dropped.
void NotifyTableModelChanged(CTableWnd& table);
// Hands each of the events above to `recorder` too, and sends them even while no screen reader
// listens (Qt passes them on only while one does); an empty one ends that.
using TableEventRecorder = std::function<void(QAccessibleEvent& event)>;
void SetTableEventRecorder(TableEventRecorder recorder);

class CTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CTableAccessible(CTableWnd* table);

    // The header line is the first row of children, then the rows of cells.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int /*row*/) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int row) const override;
    // Selects the row as a click would, and scrolls it into view.
    bool selectRow(int row) override;
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // The header cell (row -1) or cell at shown `column`, made now unless it already is; null
    // outside the table.
    QAccessibleInterface* GetCell(int row, int column) const;
    // How many header cells and cells are made and kept now.
    int GetCellCount() const { return static_cast<int>(cells.size()); }
    // Forgets every cell made so far; Qt deletes them.
    void DropCells();

protected:
    ~CTableAccessible() override;

private:
    CTableWnd* Table() const;

    // The table this answers for, kept past its destruction to find it among the made ones.
    const CTableWnd* key;
    // Qt owns the cells; they are kept by unique id, keyed by (row, shown column).
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells;
};
