// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/browse/coll_disks_ctrl.h"

#include "helpers/coll_settings.h"
#include "helpers/coll_types.h"
#include "helpers/date_format.h"
#include "helpers/number_text.h"
#include "shell/coll_doc.h"
#include "shell/ui/coll_icons.h"
#include "toolkit/table_model.h"

namespace {

class CDisksModel : public CTableModel {
public:
    CDisksModel() : CTableModel("DisksTable") {
        AddColumn(0, "Title", FieldName, 100, 0);
        AddColumn(1, "Burn date", FieldBurnDate, 100, 0);
        AddColumn(2, "Files", FieldFiles, 100, 0);
        AddColumn(3, "Folders", FieldFolders, 100, 0);
        AddColumn(4, "Size", FieldSize, 100, 0);
    }

    std::string GetCellText(int row, int column) const override {
        if (doc == nullptr || row < 0 ||
            static_cast<std::size_t>(row) >= doc->collection.disks.size()) {
            return std::string();
        }
        const CCollDisk& disk = *doc->collection.disks[static_cast<std::size_t>(row)];
        switch (columns[static_cast<std::size_t>(column)]->id) {
            case FieldName:
                return disk.title;
            case FieldBurnDate:
                return GetShownDateFormat().Format(FromTime32(disk.header.burnDate));
            case FieldFiles:
                return std::to_string(disk.header.totalFiles);
            case FieldFolders:
                return std::to_string(disk.header.totalFolders);
            case FieldSize:
                // A byte total is never negative, however large the disk.
                return FormatByteCount(disk.header.totalBytes);
            default:
                return std::string();
        }
    }

    int GetRowCount() const override {
        return doc == nullptr ? 0 : static_cast<int>(doc->collection.disks.size());
    }

    CCollDoc* doc = nullptr;
};

}  // namespace

CCollDisksCtrl::CCollDisksCtrl(QWidget* parent)
    : CCollTableCtrl(parent), disksModel(std::make_unique<CDisksModel>()) {
    setObjectName("DisksTable");
    setAccessibleName("Disks");
    rowIcon = GetCollIcon(CCollIcon::disk);
    iconColumnId = FieldName;
    LoadColumnWidths(*disksModel,
                     {"Holiday photos 2006", "00/00/00", "000000", "000000", "0,000,000,000"});
    SetModel(disksModel.get());
}

CCollDisksCtrl::~CCollDisksCtrl() {
    disksModel->SaveColumnWidths();
    SetModel(nullptr);
}

void CCollDisksCtrl::SetDocument(CCollDoc* document) {
    doc = document;
    static_cast<CDisksModel*>(disksModel.get())->doc = document;
}

CCollDisk* CCollDisksCtrl::GetDisk(int row) const {
    if (doc == nullptr || row < 0 ||
        static_cast<std::size_t>(row) >= doc->collection.disks.size()) {
        return nullptr;
    }
    return doc->collection.disks[static_cast<std::size_t>(row)];
}

void CCollDisksCtrl::Reload() {
    disksModel->SetRowCount(disksModel->GetRowCount());
    OnModelChanged(0);
    if (doc != nullptr && doc->GetGeneration() != shownGeneration) {
        shownGeneration = doc->GetGeneration();
        ShowFromStart();
    }
    ShowCurrentDisk();
    viewport()->update();
}

void CCollDisksCtrl::ShowCurrentDisk() {
    int current = -1;
    if (doc != nullptr) {
        for (std::size_t i = 0; i < doc->collection.disks.size(); ++i) {
            if (doc->collection.disks[i] == doc->currentDisk) {
                current = static_cast<int>(i);
            }
        }
    }
    ShowRow(current);
}

void CCollDisksCtrl::OnRowChosen(int row) {
    if (CCollDisk* disk = GetDisk(row)) {
        doc->SelectDisk(disk);
    }
}

std::vector<std::pair<CCollCommand, QString>> CCollDisksCtrl::GetMenuCommands(int row) const {
    if (GetDisk(row) == nullptr) {
        return {};
    }
    return {{CCollCommand::diskProperties, "Properties"}};
}

void CCollDisksCtrl::OnRowActivated(int row) {
    if (GetDisk(row) != nullptr) {
        emit CommandRequested(CCollCommand::diskProperties);
    }
}

void CCollDisksCtrl::OnHeaderDoubleClick(int column) {
    if (doc == nullptr || column < 0 || column >= static_cast<int>(GetVisibleColumns().size())) {
        return;
    }
    doc->SortDisks(GetVisibleColumns()[static_cast<std::size_t>(column)]->id);
    Reload();
}
