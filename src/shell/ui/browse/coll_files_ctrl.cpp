// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/browse/coll_files_ctrl.h"

#include "helpers/coll_settings.h"
#include "helpers/coll_types.h"
#include "helpers/date_format.h"
#include "shell/coll_doc.h"
#include "shell/ui/coll_icons.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "toolkit/table_model.h"

namespace {

class CFilesModel : public CTableModel {
public:
    CFilesModel() : CTableModel("FilesTable") {
        AddColumn(0, "Name", FieldName, 100, 0);
        AddColumn(1, "Size", FieldSize, 100, 0);
        AddColumn(2, "Creation", FieldCreation, 100, 0);
        AddColumn(3, "Modify", FieldModify, 100, 0);
        AddColumn(4, "Access", FieldAccess, 100, 0);
    }

    const CCollDiskContent* Shown() const {
        if (doc == nullptr) {
            return nullptr;
        }
        if (doc->currentFolder != nullptr) {
            return &doc->currentFolder->content;
        }
        return doc->currentDisk != nullptr ? &doc->currentDisk->content : nullptr;
    }

    CCollDiskFile* GetFile(int row) const {
        const CCollDiskContent* content = Shown();
        if (content == nullptr || row < 0 ||
            static_cast<std::size_t>(row) >= content->files.size()) {
            return nullptr;
        }
        return content->files[static_cast<std::size_t>(row)];
    }

    std::string GetCellText(int row, int column) const override {
        const CCollDiskFile* file = GetFile(row);
        if (file == nullptr) {
            return std::string();
        }
        switch (columns[static_cast<std::size_t>(column)]->id) {
            case FieldName:
                return file->name;
            case FieldSize:
                // The low 32 bits of the length, never shown negative.
                return std::to_string(file->size);
            case FieldCreation:
                return GetShownDateFormat().Format(file->creationTime);
            case FieldModify:
                return GetShownDateFormat().Format(file->modifyTime);
            case FieldAccess:
                return GetShownDateFormat().Format(file->accessTime);
            default:
                return std::string();
        }
    }

    int GetRowCount() const override {
        const CCollDiskContent* content = Shown();
        return content == nullptr ? 0 : static_cast<int>(content->files.size());
    }

    CCollDoc* doc = nullptr;
};

CFilesModel& Model(const std::unique_ptr<CTableModel>& model) {
    return static_cast<CFilesModel&>(*model);
}

}  // namespace

CCollFilesCtrl::CCollFilesCtrl(QWidget* parent)
    : CCollTableCtrl(parent), filesModel(std::make_unique<CFilesModel>()) {
    setObjectName("FilesTable");
    setAccessibleName("Files");
    rowIcon = GetCollIcon(CCollIcon::file);
    iconColumnId = FieldName;
    LoadColumnWidths(*filesModel, {"Screenshot of the desktop.png", "0000000000", "00/00/00",
                                   "00/00/00", "00/00/00"});
    SetModel(filesModel.get());
}

CCollFilesCtrl::~CCollFilesCtrl() {
    filesModel->SaveColumnWidths();
    SetModel(nullptr);
}

void CCollFilesCtrl::SetDocument(CCollDoc* document) {
    doc = document;
    Model(filesModel).doc = document;
}

CCollDiskFile* CCollFilesCtrl::GetFile(int row) const {
    return Model(filesModel).GetFile(row);
}

void CCollFilesCtrl::Reload() {
    filesModel->SetRowCount(filesModel->GetRowCount());
    ShowRow(-1);
    ShowFromStart();
    OnModelChanged(0);
    ShowFile(doc != nullptr ? doc->currentFile : nullptr);
    viewport()->update();
}

void CCollFilesCtrl::ShowFile(const CCollDiskFile* file) {
    if (file == nullptr) {
        return;
    }
    const CCollDiskContent* content = Model(filesModel).Shown();
    if (content == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < content->files.size(); ++i) {
        if (content->files[i] == file) {
            ShowRow(static_cast<int>(i));
            return;
        }
    }
}

void CCollFilesCtrl::OnRowChosen(int row) {
    if (CCollDiskFile* file = GetFile(row)) {
        doc->SelectFile(file);
    }
}

std::vector<std::pair<CCollCommand, QString>> CCollFilesCtrl::GetMenuCommands(int row) const {
    if (GetFile(row) == nullptr) {
        return {};
    }
    return {{CCollCommand::open, "Open"},
            {CCollCommand::copy, "Copy"},
            {CCollCommand::fileProperties, "Properties"}};
}

void CCollFilesCtrl::OnRowActivated(int row) {
    if (CCollDiskFile* file = GetFile(row)) {
        doc->SelectFile(file);
        emit CommandRequested(CCollCommand::open);
    }
}

void CCollFilesCtrl::OnHeaderDoubleClick(int column) {
    if (doc == nullptr || column < 0 || column >= static_cast<int>(GetVisibleColumns().size())) {
        return;
    }
    const CCollDiskFile* selected = doc->currentFile;
    doc->SortFiles(GetVisibleColumns()[static_cast<std::size_t>(column)]->id);
    OnModelChanged(0);
    // The selected file keeps its selection in its new place.
    ShowRow(-1);
    ShowFile(selected);
    viewport()->update();
}
