// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/search/coll_search_panel_results.h"

#include <QKeyEvent>

#include "helpers/coll_types.h"
#include "search/search_result_list.h"
#include "shell/ui/coll_icons.h"
#include "store/coll_disk_item_type.h"
#include "store/coll_item.h"
#include "toolkit/table_model.h"
#include "toolkit/ui/column_painter.h"

namespace {

class CResultsModel : public CTableModel {
public:
    explicit CResultsModel(const CSearchResultList& shown)
        : CTableModel("SearchResultsTable"), results(shown) {
        AddColumn(0, "Title", FieldName, 100, 0);
        AddColumn(1, "Type", FieldType, 100, 0);
        AddColumn(2, "Path", FieldPath, 100, 0);
        AddColumn(3, "Creation", FieldCreation, 100, 0);
        AddColumn(4, "Modify", FieldModify, 100, 0);
        AddColumn(5, "Access", FieldAccess, 100, 0);
    }

    std::string GetCellText(int row, int column) const override {
        if (row < 0 || static_cast<std::size_t>(row) >= results.GetCount()) {
            return std::string();
        }
        auto at = static_cast<std::size_t>(row);
        switch (int id = columns[static_cast<std::size_t>(column)]->id) {
            case FieldName:
                return std::string(results.GetName(at));
            case FieldType:
                return results.GetType(at).name;
            case FieldPath:
                return results.GetPath(at);
            case FieldCreation:
            case FieldModify:
            case FieldAccess:
                return TimeText(results.GetTime(at, id));
            default:
                return std::string();
        }
    }

private:
    const CSearchResultList& results;
};

}  // namespace

CCollSearchResultsCtrl::CCollSearchResultsCtrl(const CSearchResultList& shown, QWidget* parent)
    : CCollTableCtrl(parent),
      results(shown),
      resultsModel(std::make_unique<CResultsModel>(shown)),
      fileIcon(GetCollIcon(CCollIcon::file)),
      folderIcon(GetCollIcon(CCollIcon::folder)) {
    setObjectName("SearchResultsTable");
    setAccessibleName("Search results");
    iconColumnId = FieldName;
    rowIcon = fileIcon;
    // Until the user has sized them, the columns are wide enough for a path and a time.
    const QString time = "00/00/00 00:00:00";
    LoadColumnWidths(*resultsModel, {"Screenshot 2005.png", "Folder",
                                     "Software 2003:\\Drivers\\Graphics Display 7.2\\WinXP\\read",
                                     time, time, time});
    SetModel(resultsModel.get());
}

CCollSearchResultsCtrl::~CCollSearchResultsCtrl() {
    resultsModel->SaveColumnWidths();
    SetModel(nullptr);
}

void CCollSearchResultsCtrl::Refresh(bool cleared) {
    resultsModel->SetRowCount(static_cast<int>(results.GetCount()));
    if (cleared) {
        ShowRow(-1);
        ShowFromStart();
    }
    UpdateScrollRanges();
    viewport()->update();
}

bool CCollSearchResultsCtrl::GetItem(int row, CCollItem& item) const {
    if (row < 0 || static_cast<std::size_t>(row) >= results.GetCount()) {
        return false;
    }
    item.typeId = results.GetType(static_cast<std::size_t>(row)).id;
    item.path = results.GetCataloguePath(static_cast<std::size_t>(row));
    return true;
}

void CCollSearchResultsCtrl::OnRowChosen(int /*row*/) {}

std::vector<std::pair<CCollCommand, QString>> CCollSearchResultsCtrl::GetMenuCommands(
    int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= results.GetCount()) {
        return {};
    }
    return {{CCollCommand::open, "Open"},
            {CCollCommand::copy, "Copy"},
            {findItemCommand, "Find item in structure"}};
}

void CCollSearchResultsCtrl::OnRowActivated(int row) {
    emit ItemCommandAsked(CCollCommand::open, row);
}

void CCollSearchResultsCtrl::OnHeaderDoubleClick(int column) {
    if (column >= 0 && column < static_cast<int>(GetVisibleColumns().size())) {
        emit SortAsked(GetVisibleColumns()[static_cast<std::size_t>(column)]->id);
    }
}

void CCollSearchResultsCtrl::DrawCell(QPainter& painter, int row, int column, const QRect& rect) {
    bool folder = row >= 0 && static_cast<std::size_t>(row) < results.GetCount() &&
                  results.GetType(static_cast<std::size_t>(row)).id == CCollDiskItemType::folderId;
    rowIcon = folder ? folderIcon : fileIcon;
    CCollTableCtrl::DrawCell(painter, row, column, rect);
}

bool CCollSearchResultsCtrl::event(QEvent* event) {
    // The frame's Copy acts on the browse panel: here Ctrl+C copies the chosen result.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return CCollTableCtrl::event(event);
}

void CCollSearchResultsCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        if (GetSelectedRow() >= 0) {
            emit ItemCommandAsked(CCollCommand::copy, GetSelectedRow());
        }
        return;
    }
    CCollTableCtrl::keyPressEvent(event);
}
