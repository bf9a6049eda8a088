// SPDX-License-Identifier: GPL-3.0-or-later
// The data side of a table window: the columns in display order, the row count and the cell
// texts. The model keeps no cell data; its owner answers GetCellText from its own rows, and
// the window asks only for the cells it draws.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/table_column.h"

class CModel {
public:
    explicit CModel(std::string name = {}) : name(std::move(name)) {}
    CModel(const CModel&) = delete;
    CModel& operator=(const CModel&) = delete;
    virtual ~CModel() = default;

    // Also the profile section of a table's column widths when no other is given.
    std::string name;
};

class CTableModel : public CModel {
public:
    explicit CTableModel(std::string name = {}) : CModel(std::move(name)) {}

    // `column` is a position in `columns`. The defaults have no data: an empty text, and
    // edits are dropped.
    virtual std::string GetCellText(int row, int column) const;
    virtual void SetCellText(int row, int column, const std::string& text);
    virtual int GetRowCount() const { return rowCount; }

    // Inserts a new column at `index` (later ones move up); `flag` makes it editable.
    CTableColumn& AddColumn(int index, const std::string& title, int id, int width, int flag);
    void SetRowCount(int count) { rowCount = count; }
    void SetColumnsChanged(bool flag) { columnsChanged = flag; }
    // Swaps the column at `index` with the nearest visible one on that side; invisible columns
    // in between keep their places. False, and nothing changed, when there is none.
    bool MoveColumnLeft(int index);
    bool MoveColumnRight(int index);

    // Widths keyed by column title in `section` of the profile; an empty section means `name`.
    // A missing key (or no profile at all) gives 100; saving without a profile does nothing.
    void LoadColumnWidths(const std::string& section = {});
    void SaveColumnWidths(const std::string& section = {}) const;

    // Set when the user moves or resizes a column.
    bool columnsChanged = false;
    int rowCount = 0;
    std::vector<std::unique_ptr<CTableColumn>> columns;

private:
    bool SwapColumns(int index, int other);
};
