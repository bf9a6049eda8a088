// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_loader.h"

#include <memory>
#include <string_view>

#include "helpers/file_title.h"
#include "helpers/show_message.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_line.h"
#include "store/collection.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(TrimCollectionLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool CCollLoader::Load(const std::string& path) {
    failedLines = 0;
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const CFileException& error) {
        ReportFileException(error);
        return false;
    }
    // Editors on the other platform begin UTF-8 text with a byte-order mark.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark)) {
        text.erase(0, byteOrderMark.size());
    }
    std::vector<std::string> lines = SplitLines(text);
    std::string base = LineBaseOf(path);
    std::size_t next = 0;
    while (next < lines.size()) {
        const std::string& line = lines[next++];
        if (line.empty()) {
            continue;
        }
        if (IsDescriptionMarker(line)) {
            next = ReadDescription(lines, next);
            continue;
        }
        std::string indexPath;
        if (!ReadIndexLine(line, base, indexPath)) {
            ShowMessage("Invalid path: %s", line.c_str());
            ++failedLines;
            continue;
        }
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(indexPath);
        if (!ReportResult(disk->ReadHeader())) {
            ShowMessage("Failed loading disk %s", line.c_str());
            ++failedLines;
            continue;
        }
        collection.AddDisk(std::move(disk));
    }
    return true;
}

std::size_t CCollLoader::ReadDescription(const std::vector<std::string>& lines, std::size_t next) {
    std::string description;
    for (; next < lines.size() && !lines[next].empty(); ++next) {
        if (!description.empty()) {
            description += '\n';
        }
        description += lines[next];
    }
    collection.description = description;
    return next;
}

bool CCollLoader::InsertIndexFile(const std::string& path) {
    if (collection.FindDiskByIndexPath(path) != nullptr) {
        return true;
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
    // A disk the collection file could not name again, or whose title would break the
    // catalogue paths of its items, would be lost or unusable later: refuse it now.
    std::string unlistable = WhyNotListable(path);
    if (!unlistable.empty()) {
        ShowMessage("%s cannot be listed in a collection: %s", path.c_str(), unlistable.c_str());
        ShowMessage("Failed loading disk %s", path.c_str());
        return false;
    }
    if (ValidateFileTitle(disk->title) != 0) {
        ShowMessage("Invalid file title %s", disk->title.c_str());
        ShowMessage("Failed loading disk %s", path.c_str());
        return false;
    }
    if (!ReportResult(disk->ReadHeader())) {
        ShowMessage("Failed loading disk %s", path.c_str());
        return false;
    }
    collection.AddDisk(std::move(disk));
    return true;
}
