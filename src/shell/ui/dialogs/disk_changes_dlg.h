// SPDX-License-Identifier: GPL-3.0-or-later
// The differences between a disk and its index file, before the index is rewritten: the
// counts of each kind and a table of every difference, with Save and Cancel; with none, the
// box only says so.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "disk/disk_update.h"
#include "shell/ui/coll_table_ctrl.h"

class CDiskChangesModel;
class QLabel;
class QPushButton;

// The differences as a catalogue table: read by a screen reader as the other tables are, and
// sorted, always ascending, by double-clicking a column header like them.
class CDiskChangesTable : public CCollTableCtrl {
public:
    // `diff` must outlive the table.
    CDiskChangesTable(const CDiskDiff& diff, QWidget* parent = nullptr);
    ~CDiskChangesTable() override;
    CDiskChangesTable(const CDiskChangesTable&) = delete;
    CDiskChangesTable& operator=(const CDiskChangesTable&) = delete;

    void OnHeaderDoubleClick(int column) override;

protected:
    void OnRowChosen(int row) override;
    std::vector<std::pair<CCollCommand, QString>> GetMenuCommands(int row) const override;
    void OnRowActivated(int row) override;

private:
    std::unique_ptr<CDiskChangesModel> model;
};

class CDiskChangesDlg : public QDialog {
    Q_OBJECT

public:
    // `diff` must outlive the box.
    CDiskChangesDlg(const std::string& title, const CDiskDiff& diff, QWidget* parent = nullptr);
    ~CDiskChangesDlg() override;

    // "2 added, 1 deleted, 0 modified, 1 moved", or that there is no difference.
    static std::string CountsText(const CDiskDiff& diff);

    QLabel* countsLabel = nullptr;
    CDiskChangesTable* table = nullptr;  // none without differences
    QPushButton* saveButton = nullptr;   // none without differences
};
