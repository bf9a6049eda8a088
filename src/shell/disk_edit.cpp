// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/disk_edit.h"

#include <cstdint>

#include "helpers/date_format.h"
#include "helpers/file_title.h"
#include "helpers/number_text.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"

namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

CCollDiskEdit::CCollDiskEdit(CCollDisk& disk, Mode mode, const CDateFormat& dateFormat)
    : disk(disk), mode(mode), dateFormat(dateFormat), editing(mode == Mode::newDisk) {}

const char* CCollDiskEdit::GetEditButtonText() const {
    return mode == Mode::view && editing ? "Apply" : "Edit";
}

std::string CCollDiskEdit::GetTitle() const {
    return disk.title;
}

std::string CCollDiskEdit::GetDateText() const {
    return dateFormat.Format(FromTime32(disk.header.burnDate));
}

std::string CCollDiskEdit::GetDescription() const {
    return disk.header.GetDescription();
}

std::string CCollDiskEdit::GetLabel() const {
    return disk.header.GetLabel();
}

std::string CCollDiskEdit::GetSerialText() const {
    return std::to_string(static_cast<std::int32_t>(disk.header.serial));
}

std::string CCollDiskEdit::GetTotalFilesText() const {
    return FormatNumber(disk.header.totalFiles);
}

std::string CCollDiskEdit::GetTotalFoldersText() const {
    return FormatNumber(disk.header.totalFolders);
}

std::string CCollDiskEdit::GetTotalBytesText() const {
    return FormatByteCount(disk.header.totalBytes);
}

void CCollDiskEdit::PressEditButton(const std::string& dateText, const std::string& description) {
    if (mode != Mode::view) {
        return;
    }
    if (editing) {
        Apply(dateText, description);
    } else {
        editing = true;
    }
}

bool CCollDiskEdit::Apply(const std::string& dateText, const std::string& description) {
    Time32 burnDate = 0;
    if (!ParseDate(dateText, burnDate) || !CheckDescription(description)) {
        return false;
    }
    disk.header.burnDate = burnDate;
    disk.header.SetDescription(description);
    if (!ReportResult(disk.WriteHeader())) {
        return false;
    }
    editing = false;
    return true;
}

bool CCollDiskEdit::Ok(const std::string& title, const std::string& dateText,
                       const std::string& description) {
    if (mode == Mode::view) {
        // Read-only fields hold what the disk holds; storing them back could only lose the
        // burn date's time of day.
        return !editing || Apply(dateText, description);
    }
    Time32 burnDate = 0;
    if (!CheckTitle(title) || !CheckDescription(description) || !ParseDate(dateText, burnDate)) {
        return false;
    }
    disk.header.SetDescription(description);
    disk.header.burnDate = burnDate;
    disk.title = title;
    return true;
}

bool CCollDiskEdit::ParseDate(const std::string& dateText, Time32& time) const {
    if (!dateFormat.Parse(dateText, time)) {
        ShowMessage("Invalid burn date");
        return false;
    }
    return true;
}

bool CCollDiskEdit::CheckDescription(const std::string& description) const {
    if (description.size() > static_cast<std::size_t>(descriptionLimit)) {
        ShowMessage("Description is too long, it can be %d characters at most", descriptionLimit);
        return false;
    }
    return true;
}

bool CCollDiskEdit::IsValidTitle(const std::string& title) {
    return !IsBlank(title) && ValidateFileTitle(title) == 0;
}

bool CCollDiskEdit::CheckTitle(const std::string& title) const {
    // Blanks alone name nothing a user could tell apart in the disks table.
    if (IsBlank(title)) {
        ShowMessage("Title cannot be empty");
        return false;
    }
    if (ValidateFileTitle(title) != 0) {
        ShowMessage("Invalid file title %s", title.c_str());
        return false;
    }
    return true;
}
