// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/table_model.h"

#include <algorithm>
#include <utility>

#include "platform/ini_file.h"
#include "platform/profile.h"

namespace {

constexpr int defaultWidth = 100;

}  // namespace

std::string CTableModel::GetCellText(int /*row*/, int /*column*/) const {
    return std::string();
}

void CTableModel::SetCellText(int /*row*/, int /*column*/, const std::string& /*text*/) {}

CTableColumn& CTableModel::AddColumn(int index, const std::string& title, int id, int width,
                                     int flag) {
    auto column = std::make_unique<CTableColumn>();
    column->title = title;
    column->id = id;
    column->width = width;
    column->editable = flag != 0;
    CTableColumn& added = *column;
    index = std::clamp(index, 0, static_cast<int>(columns.size()));
    columns.insert(columns.begin() + index, std::move(column));
    return added;
}

bool CTableModel::MoveColumnLeft(int index) {
    if (index <= 0 || index >= static_cast<int>(columns.size())) {
        return false;
    }
    for (int other = index - 1; other >= 0; --other) {
        if (columns[other]->visible) {
            return SwapColumns(index, other);
        }
    }
    return false;
}

bool CTableModel::MoveColumnRight(int index) {
    int count = static_cast<int>(columns.size());
    if (index < 0 || index >= count - 1) {
        return false;
    }
    for (int other = index + 1; other < count; ++other) {
        if (columns[other]->visible) {
            return SwapColumns(index, other);
        }
    }
    return false;
}

bool CTableModel::SwapColumns(int index, int other) {
    std::swap(columns[index], columns[other]);
    columnsChanged = true;
    return true;
}

void CTableModel::LoadColumnWidths(const std::string& section) {
    const CIniFile* profile = GetProfile();
    const std::string& name = section.empty() ? this->name : section;
    for (const auto& column : columns) {
        column->width =
            profile != nullptr ? profile->GetInt(name, column->title, defaultWidth) : defaultWidth;
    }
}

void CTableModel::SaveColumnWidths(const std::string& section) const {
    CIniFile* profile = GetProfile();
    if (profile == nullptr) {
        return;
    }
    const std::string& name = section.empty() ? this->name : section;
    for (const auto& column : columns) {
        profile->SetInt(name, column->title, column->width);
    }
}
