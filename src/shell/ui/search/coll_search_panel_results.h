// SPDX-License-Identifier: GPL-3.0-or-later
// The search panel's results table: title, type, path and the three times of every result,
// sorted by a column on a double-click of its header. Open, Copy and Find item in structure
// come from a double-click, Enter and the pop-up menu.
#pragma once

#include <memory>

#include "shell/ui/coll_table_ctrl.h"

class CSearchResultList;
class CTableModel;
struct CCollItem;

class CCollSearchResultsCtrl : public CCollTableCtrl {
    Q_OBJECT

public:
    // The results are the panel's; the table shows them.
    explicit CCollSearchResultsCtrl(const CSearchResultList& results, QWidget* parent = nullptr);
    ~CCollSearchResultsCtrl() override;

    // Takes the results' number again and redraws; when `cleared`, the selection goes and the
    // table starts at its first row and column again.
    void Refresh(bool cleared);
    // The result at `row` as an item to open, copy or find; false outside the results.
    bool GetItem(int row, CCollItem& item) const;

    // The pop-up menu's find command.
    static constexpr CCollCommand findItemCommand = static_cast<CCollCommand>(131);

signals:
    // The user sorted by a column: the panel sorts and refreshes.
    void SortAsked(int fieldId);
    void ItemCommandAsked(CCollCommand command, int row);

protected:
    void OnRowChosen(int row) override;
    std::vector<std::pair<CCollCommand, QString>> GetMenuCommands(int row) const override;
    void OnRowActivated(int row) override;
    void OnHeaderDoubleClick(int column) override;
    void DrawCell(QPainter& painter, int row, int column, const QRect& rect) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CSearchResultList& results;
    std::unique_ptr<CTableModel> resultsModel;
    QIcon fileIcon;
    QIcon folderIcon;
};
