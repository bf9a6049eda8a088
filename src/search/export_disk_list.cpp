// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/export_disk_list.h"

#include "helpers/date_format.h"
#include "helpers/file_path.h"
#include "helpers/number_text.h"
#include "platform/name_text.h"
#include "search/html_writer.h"
#include "store/collection.h"

namespace {

// Titles are free text: "Tom & Jerry <1>" must not turn into markup.
std::string EscapeCell(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// The page has its own day-first date, whatever the date-format setting says.
std::string BurnDateText(Time32 burnDate) {
    return FormatShortTime(FromTime32(burnDate), "%d/%m/%Y");
}

}  // namespace

std::vector<CDiskListRow> TakeDiskListRows(const CCollection& collection) {
    std::vector<CDiskListRow> rows;
    rows.reserve(collection.disks.size());
    for (const auto& disk : collection.disks) {
        rows.push_back({disk->title, disk->header});
    }
    return rows;
}

void ExportDiskList(CHtmlWriter& writer, const std::vector<CDiskListRow>& rows) {
    writer.BeginHtml();
    writer.BeginHead();
    // Declared, so that no browser guesses: the page holds only UTF-8.
    writer.WriteLine("<META charset=\"utf-8\">");
    writer.Title("");
    writer.Link("stylesheet", "style.css");
    writer.EndHead();
    writer.BeginBody();
    writer.WriteLine("<TABLE cellspacing=\"0\" frame=\"box\" rules=\"all\" cellpadding=\"4\">");
    writer.BeginRow();
    for (const char* heading : {"Title", "Burn date", "Files", "Folders", "Size"}) {
        writer.HeaderCell(heading);
    }
    writer.EndRow();
    for (const CDiskListRow& row : rows) {
        const CCollDiskHeader& header = row.header;
        writer.BeginRow();
        writer.Cell(EscapeCell(NameText(row.title)));
        writer.Cell(BurnDateText(header.burnDate));
        writer.Cell(std::to_string(header.totalFiles));
        writer.Cell(std::to_string(header.totalFolders));
        // Unsigned, as the disks table shows it: a 3 GB disk is not negative.
        writer.Cell(FormatByteCount(header.totalBytes));
        writer.EndRow();
    }
    writer.EndTable();
    writer.EndBody();
    writer.EndHtml();
}

std::string DiskListPagePath(const std::string& collectionPath) {
    CFilePath output(collectionPath);
    output.SetExtension("htm");
    return output.GetFullPath();
}

bool ExportCollectionList(const std::vector<CDiskListRow>& rows, const std::string& outputPath,
                          CProblems& problems) {
    CHtmlWriter writer;
    if (!writer.Open(outputPath)) {
        problems.Add("Failed creating file %s", outputPath.c_str());
        return false;
    }
    ExportDiskList(writer, rows);
    writer.Close();
    return true;
}
