#include "store/coll_loader.h"

#include <strings.h>

#include <memory>

#include "disk/path_parts.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "shell/show_message.h"
#include "store/collection.h"

namespace {

const char* const blanks = " \t\r\n\v\f";

std::string Trim(const std::string& line) {
    std::string::size_type first = line.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    std::string::size_type last = line.find_last_not_of(blanks);
    return line.substr(first, last - first + 1);
}

std::string ReadWholeFile(const std::string& path) {
    CFile file(path, CFile::Mode::read);
    std::string text;
    char chunk[64 * 1024];
    while (true) {
        std::size_t got = file.Read(chunk, sizeof chunk);
        text.append(chunk, got);
        if (got < sizeof chunk) {
            break;
        }
    }
    file.Close();
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(Trim(text.substr(start, end - start)));
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
    std::vector<std::string> lines = SplitLines(text);
    std::size_t next = 0;
    while (next < lines.size()) {
        const std::string& line = lines[next++];
        if (line.empty()) {
            continue;
        }
        if (::strcasecmp(line.c_str(), "[DESCRIPTION]") == 0) {
            next = ReadDescription(lines, next);
            continue;
        }
        std::string indexPath;
        if (!MakeAbsolutePath(line, path, indexPath)) {
            ShowMessage("Invalid path: %s", line.c_str());
            ++failedLines;
            continue;
        }
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(indexPath);
        if (!disk->ReadHeader()) {
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
    if (!disk->ReadHeader()) {
        ShowMessage("Failed loading disk %s", path.c_str());
        return false;
    }
    collection.AddDisk(std::move(disk));
    return true;
}
