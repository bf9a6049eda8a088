// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_loader.h"

#include <memory>
#include <string_view>

#include "helpers/file_title.h"
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

bool CCollLoader::Load(const std::string& path, const Progress& progress) {
    failedLines = 0;
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const CFileException& error) {
        problems.Add(error);
        return false;
    }
    // Editors on the other platform begin UTF-8 text with a byte-order mark.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark)) {
        text.erase(0, byteOrderMark.size());
    }
    std::vector<std::string> lines = SplitLines(text);
    // The disk lines first, so that progress can say how many there are.
    std::vector<std::string> diskLines;
    std::size_t next = 0;
    while (next < lines.size()) {
        std::string& line = lines[next++];
        if (line.empty()) {
            continue;
        }
        if (IsDescriptionMarker(line)) {
            next = ReadDescription(lines, next);
            continue;
        }
        diskLines.push_back(std::move(line));
    }
    std::string base = LineBaseOf(path);
    for (std::size_t i = 0; i < diskLines.size(); ++i) {
        if (!LoadDiskLine(diskLines[i], base)) {
            ++failedLines;
        }
        if (progress && !progress(i + 1, diskLines.size())) {
            break;
        }
    }
    return true;
}

bool CCollLoader::LoadDiskLine(const std::string& line, const std::string& base) {
    std::string indexPath;
    if (!ReadIndexLine(line, base, indexPath)) {
        problems.Add("Invalid path: %s", line.c_str());
        return false;
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(indexPath);
    CResult read = disk->ReadHeader();
    if (!read) {
        problems.Append(read.GetProblems());
        problems.Add("Failed loading disk %s", line.c_str());
        return false;
    }
    collection.AddDisk(std::move(disk));
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
        problems.Add("%s cannot be listed in a collection: %s", path.c_str(), unlistable.c_str());
    } else if (ValidateFileTitle(disk->title) != 0) {
        problems.Add("Invalid file title %s", disk->title.c_str());
    } else {
        CResult read = disk->ReadHeader();
        if (read) {
            collection.AddDisk(std::move(disk));
            return true;
        }
        problems.Append(read.GetProblems());
    }
    problems.Add("Failed loading disk %s", path.c_str());
    return false;
}
