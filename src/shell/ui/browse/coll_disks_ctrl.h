// SPDX-License-Identifier: GPL-3.0-or-later
// The browse panel's table of the collection's disks: title, burn date, files, folders and
// size. Choosing a row makes its disk the document's current disk.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/ui/coll_table_ctrl.h"

class CCollDoc;
class CCollDisk;
class CTableModel;

class CCollDisksCtrl : public CCollTableCtrl {
    Q_OBJECT

public:
    explicit CCollDisksCtrl(QWidget* parent = nullptr);
    ~CCollDisksCtrl() override;

    void SetDocument(CCollDoc* document);
    // Takes the collection's disks again and selects the current disk's row; a collection
    // that replaced the one shown starts at its first row.
    void Reload();
    // Selects the current disk's row, for a disk the document chose itself.
    void ShowCurrentDisk();
    CCollDisk* GetDisk(int row) const;

protected:
    void OnRowChosen(int row) override;
    std::vector<std::pair<CCollCommand, QString>> GetMenuCommands(int row) const override;
    void OnRowActivated(int row) override;
    void OnHeaderDoubleClick(int column) override;

private:
    CCollDoc* doc = nullptr;
    std::unique_ptr<CTableModel> disksModel;
    // The document's generation whose disks the table shows.
    std::uint64_t shownGeneration = 0;
};
