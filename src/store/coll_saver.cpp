// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_saver.h"

#include "platform/atomic_file.h"
#include "platform/file_exception.h"
#include "store/coll_line.h"
#include "store/collection.h"

namespace {

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

}  // namespace

std::string CCollSaver::Format(const std::string& path) const {
    std::string text;
    // A blank line would end the block on reload and turn the rest into paths.
    std::string description;
    std::string::size_type start = 0;
    const std::string& source = collection.description;
    while (start <= source.size()) {
        std::string::size_type end = source.find('\n', start);
        if (end == std::string::npos) {
            end = source.size();
        }
        std::string line = source.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!IsBlank(line)) {
            description += line + "\r\n";
        }
        start = end + 1;
    }
    if (!description.empty()) {
        text += "[DESCRIPTION]\r\n" + description + "\r\n";
    }
    std::string base = LineBaseOf(path);
    for (const auto& disk : collection.disks) {
        std::string stored;
        if (!WriteIndexLine(disk->indexPath, base, stored)) {
            // Writing any other line would drop or change the disk on the next load.
            throw CUnlistableDisk{disk->indexPath};
        }
        text += stored + "\r\n";
    }
    return text;
}

CResult CCollSaver::Save(const std::string& path) {
    try {
        std::string text = Format(path);
        CAtomicFile output(path);
        output.File().Write(text.data(), text.size());
        output.Commit();
    } catch (const CFileException& error) {
        return CResult(error);
    } catch (const CUnlistableDisk& error) {
        CProblems problems;
        problems.Add("%s cannot be listed in a collection file", error.indexPath.c_str());
        return CResult(problems);
    }
    return {};
}
