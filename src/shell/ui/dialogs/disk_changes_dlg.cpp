// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/disk_changes_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <numeric>
#include <utility>
#include <vector>

#include "helpers/number_text.h"
#include "platform/ui/display_text.h"
#include "shell/ui/coll_table_ctrl.h"
#include "toolkit/table_model.h"
#include "toolkit/ui/column_painter.h"

namespace {

enum Column { change = 1, kind, path, movedFrom, oldSize, size, oldModified, modified };

using Kind = CDiskChange::Kind;

const char* ChangeName(Kind kind) {
    switch (kind) {
        case Kind::added:
            return "Added";
        case Kind::deleted:
            return "Deleted";
        case Kind::modified:
            return "Modified";
        case Kind::moved:
            return "Moved";
    }
    return "";
}

// Names as bytes: the table turns them into text only when it shows them.
std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty()) {
            joined += '\\';
        }
        joined += name;
    }
    return joined;
}

// Whether the change has the size and time from before, and from after.
bool HasOld(const CDiskChange& c) {
    return !c.folder && c.change != Kind::added;
}
bool HasNew(const CDiskChange& c) {
    return !c.folder && c.change != Kind::deleted;
}

}  // namespace

class CDiskChangesModel : public CTableModel {
public:
    explicit CDiskChangesModel(const CDiskDiff& shown)
        : CTableModel("DiskChangesTable"), diff(shown) {
        AddColumn(0, "Change", change, 100, 0);
        AddColumn(1, "Kind", kind, 100, 0);
        AddColumn(2, "Path", path, 100, 0);
        AddColumn(3, "Moved from", movedFrom, 100, 0);
        AddColumn(4, "Old size", oldSize, 100, 0);
        AddColumn(5, "Size", size, 100, 0);
        AddColumn(6, "Old modify", oldModified, 100, 0);
        AddColumn(7, "Modify", modified, 100, 0);
        order.resize(diff.changes.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        SetRowCount(static_cast<int>(order.size()));
    }

    const CDiskChange& At(int row) const {
        return diff.changes[order[static_cast<std::size_t>(row)]];
    }

    std::string GetCellText(int row, int column) const override {
        if (row < 0 || row >= GetRowCount()) {
            return std::string();
        }
        const CDiskChange& c = At(row);
        switch (columns[static_cast<std::size_t>(column)]->id) {
            case change:
                return ChangeName(c.change);
            case kind:
                return c.folder ? "Folder" : "File";
            case path:
                return JoinNames(c.names);
            case movedFrom:
                return c.change == Kind::moved ? JoinNames(c.oldNames) : std::string();
            case oldSize:
                return HasOld(c) ? std::to_string(c.oldSize) : "";
            case size:
                return HasNew(c) ? std::to_string(c.size) : "";
            case oldModified:
                return HasOld(c) ? TimeText(c.oldModified) : "";
            case modified:
                return HasNew(c) ? TimeText(c.modified) : "";
            default:
                return std::string();
        }
    }

    // Ascending, as every table of the program sorts; rows without a value come first, and
    // equal rows keep the order the comparison gave them.
    void SortBy(int columnId) {
        auto key = [columnId](const CDiskChange& c) -> std::pair<bool, std::uint64_t> {
            switch (columnId) {
                case oldSize:
                    return {HasOld(c), c.oldSize};
                case size:
                    return {HasNew(c), c.size};
                case oldModified:
                    return {HasOld(c), static_cast<std::uint64_t>(c.oldModified - unknownTime)};
                case modified:
                    return {HasNew(c), static_cast<std::uint64_t>(c.modified - unknownTime)};
                default:
                    return {false, 0};
            }
        };
        auto less = [&](std::size_t a, std::size_t b) {
            const CDiskChange& x = diff.changes[a];
            const CDiskChange& y = diff.changes[b];
            switch (columnId) {
                case change:
                    return x.change < y.change;
                case kind:
                    return x.folder && !y.folder;
                case path:
                    return x.names < y.names;
                case movedFrom:
                    return x.oldNames < y.oldNames;
                default:
                    return key(x) < key(y);
            }
        };
        std::stable_sort(order.begin(), order.end(), less);
    }

private:
    const CDiskDiff& diff;
    std::vector<std::size_t> order;
};

CDiskChangesTable::CDiskChangesTable(const CDiskDiff& diff, QWidget* parent)
    : CCollTableCtrl(parent), model(std::make_unique<CDiskChangesModel>(diff)) {
    setObjectName("DiskChangesTable");
    setAccessibleName("Differences");
    iconColumnId = -1;
    LoadColumnWidths(*model,
                     {"Modified", "Folder", "Photos\\2024\\Summer\\beach.jpg", "Photos\\beach.jpg",
                      "0000000000", "0000000000", "00/00/00 00:00:00", "00/00/00 00:00:00"});
    SetModel(model.get());
    if (GetRowCount() > 0) {
        SetSelection(0);
    }
}

CDiskChangesTable::~CDiskChangesTable() {
    model->SaveColumnWidths();
    SetModel(nullptr);
}

void CDiskChangesTable::OnHeaderDoubleClick(int column) {
    int modelColumn = GetModelColumn(column);
    if (modelColumn < 0) {
        return;
    }
    model->SortBy(model->columns[static_cast<std::size_t>(modelColumn)]->id);
    OnModelChanged(0);
    viewport()->update();
}

void CDiskChangesTable::OnRowChosen(int /*row*/) {}

std::vector<std::pair<CCollCommand, QString>> CDiskChangesTable::GetMenuCommands(
    int /*row*/) const {
    return {};
}

void CDiskChangesTable::OnRowActivated(int /*row*/) {}

std::string CDiskChangesDlg::CountsText(const CDiskDiff& diff) {
    if (diff.IsEmpty()) {
        return "The disk is as its index says: there is nothing to update.";
    }
    auto count = [&diff](Kind kind) {
        return FormatNumber(static_cast<std::int64_t>(diff.Count(kind)));
    };
    return count(Kind::added) + " added, " + count(Kind::deleted) + " deleted, " +
           count(Kind::modified) + " modified, " + count(Kind::moved) + " moved";
}

CDiskChangesDlg::CDiskChangesDlg(const std::string& title, const CDiskDiff& diff, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Update disk index - " + DisplayText(title));
    auto* layout = new QVBoxLayout(this);
    countsLabel = new QLabel(QString::fromStdString(CountsText(diff)));
    countsLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    layout->addWidget(countsLabel);
    auto* buttons = new QDialogButtonBox;
    if (diff.IsEmpty()) {
        QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
        ok->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        layout->addWidget(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        ok->setFocus();
        return;
    }
    auto* heading = new QLabel("&Differences (the index is rewritten only when you save):");
    table = new CDiskChangesTable(diff, this);
    heading->setBuddy(table);
    // The counts are read with the table, which takes the focus.
    table->setAccessibleDescription(countsLabel->text());
    layout->addWidget(heading);
    layout->addWidget(table, 1);
    saveButton = buttons->addButton("&Save", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    saveButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for every column at its first width, times with their seconds included.
    resize(1000, 420);
    table->setFocus();
}

CDiskChangesDlg::~CDiskChangesDlg() = default;
