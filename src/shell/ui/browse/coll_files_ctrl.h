// SPDX-License-Identifier: GPL-3.0-or-later
// The browse panel's table of the files of the current folder (or of the current disk's root):
// name, size and the three dates. Choosing a row makes its file the document's current file.
#pragma once

#include <memory>

#include "shell/ui/coll_table_ctrl.h"

class CCollDoc;
class CCollDiskContent;
class CCollDiskFile;
class CTableModel;

class CCollFilesCtrl : public CCollTableCtrl {
    Q_OBJECT

public:
    explicit CCollFilesCtrl(QWidget* parent = nullptr);
    ~CCollFilesCtrl() override;

    void SetDocument(CCollDoc* document);
    // Shows the files of the current folder, or of the current disk's root, from the first
    // row and column.
    void Reload();
    CCollDiskFile* GetFile(int row) const;
    // Selects the row of `file`, if it is shown, and scrolls it into view.
    void ShowFile(const CCollDiskFile* file);

protected:
    void OnRowChosen(int row) override;
    std::vector<std::pair<CCollCommand, QString>> GetMenuCommands(int row) const override;
    void OnRowActivated(int row) override;
    void OnHeaderDoubleClick(int column) override;

private:
    CCollDoc* doc = nullptr;
    std::unique_ptr<CTableModel> filesModel;
};
