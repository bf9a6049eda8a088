// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_file.h"

#include <cerrno>
#include <cstdint>
#include <iterator>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/atomic_file.h"
#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

constexpr char byteOrderMarkText[] = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text, std::string::size_type from, std::string::size_type to) {
    while (from < to && IsBlank(text[from])) {
        ++from;
    }
    while (to > from && IsBlank(text[to - 1])) {
        --to;
    }
    return text.substr(from, to - from);
}

std::string Trim(const std::string& text) {
    return Trim(text, 0, text.size());
}

// A file that is not there yet reads as empty: the first run starts from the defaults.
std::string ReadProfile(const std::string& path) {
    try {
        return ReadWholeFile(path);
    } catch (const CFileException& error) {
        if (error.GetOsError() == ENOENT) {
            return std::string();
        }
        throw;
    }
}

std::string SingleLine(const std::string& value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

// Reading takes one carriage return before a line feed as part of the line break, so a line
// that itself ends in one is written with a full CR LF to come back as it was.
void AppendLine(std::string& contents, const std::string& text) {
    contents += text;
    contents += !text.empty() && text.back() == '\r' ? "\r\n" : "\n";
}

}  // namespace

CIniFile::CIniFile() : sections(1) {}

void CIniFile::Load(const std::string& filePath) {
    std::string contents = ReadProfile(filePath);
    path = filePath;
    Parse(contents);
}

void CIniFile::Parse(const std::string& contents) {
    sections.clear();
    sections.emplace_back();
    std::string::size_type at = 0;
    byteOrderMark = contents.compare(0, 3, byteOrderMarkText) == 0;
    if (byteOrderMark) {
        at = 3;
    }
    while (at < contents.size()) {
        std::string::size_type end = contents.find('\n', at);
        std::string::size_type next = end == std::string::npos ? contents.size() : end + 1;
        if (end == std::string::npos) {
            end = contents.size();
        }
        if (end > at && contents[end - 1] == '\r') {
            --end;
        }
        std::string text = contents.substr(at, end - at);
        at = next;

        std::string trimmed = Trim(text);
        if (!trimmed.empty() && trimmed[0] == '[') {
            std::string::size_type close = trimmed.find(']');
            CSection section;
            section.hasHeader = true;
            section.name = Trim(trimmed, 1, close == std::string::npos ? trimmed.size() : close);
            section.header = text;
            sections.push_back(std::move(section));
            continue;
        }
        CLine line;
        std::string::size_type equals = text.find('=');
        if (!trimmed.empty() && trimmed[0] != ';' && equals != std::string::npos) {
            line.isEntry = true;
            line.key = Trim(text, 0, equals);
            line.value = Trim(text, equals + 1, text.size());
        }
        line.text = std::move(text);
        sections.back().lines.push_back(std::move(line));
    }
}

void CIniFile::Save() const {
    if (path.empty()) {
        throw CFileException(CFileException::badPath, path);
    }
    std::string contents = byteOrderMark ? byteOrderMarkText : "";
    for (const CSection& section : sections) {
        if (section.hasHeader) {
            AppendLine(contents, section.header);
        }
        for (const CLine& line : section.lines) {
            AppendLine(contents, line.text);
        }
    }
    CAtomicFile out(path);
    out.File().Write(contents.data(), contents.size());
    out.Commit();
}

const CIniFile::CSection* CIniFile::FindSection(const std::string& name) const {
    for (const CSection& section : sections) {
        if (section.hasHeader && EqualsIgnoringAsciiCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

CIniFile::CSection* CIniFile::FindSection(const std::string& name) {
    return const_cast<CSection*>(std::as_const(*this).FindSection(name));
}

const CIniFile::CLine* CIniFile::FindEntry(const CSection& section, const std::string& key) {
    for (const CLine& line : section.lines) {
        if (line.isEntry && EqualsIgnoringAsciiCase(line.key, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::string CIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const CSection* found = FindSection(section);
    const CLine* line = found != nullptr ? FindEntry(*found, key) : nullptr;
    return line != nullptr ? line->value : defaultValue;
}

int CIniFile::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    std::string value = GetString(section, key);
    if (value.empty()) {
        return defaultValue;
    }
    // Wraps like the profile reads of the platform the files come from.
    return ReadLeadingInteger(value, "").Wrapped32();
}

void CIniFile::SetString(const std::string& section, const std::string& key,
                         const std::string& value) {
    std::string text = SingleLine(value);
    CSection* target = FindSection(section);
    if (target == nullptr) {
        // A blank line keeps the new section apart from the one before it.
        CSection& last = sections.back();
        bool fileEmpty = sections.size() == 1 && last.lines.empty();
        std::string lastText = last.lines.empty() ? last.header : last.lines.back().text;
        if (!fileEmpty && !Trim(lastText).empty()) {
            last.lines.push_back(CLine{});
        }
        CSection added;
        added.hasHeader = true;
        added.name = section;
        added.header = "[" + section + "]";
        sections.push_back(std::move(added));
        target = &sections.back();
    }
    for (CLine& line : target->lines) {
        if (line.isEntry && EqualsIgnoringAsciiCase(line.key, key)) {
            line.value = text;
            line.text = line.key + "=" + text;
            return;
        }
    }
    // After the section's last non-blank line, so the blank lines before the next header stay.
    auto position = target->lines.end();
    while (position != target->lines.begin() && Trim(std::prev(position)->text).empty()) {
        --position;
    }
    target->lines.insert(position, CLine{key + "=" + text, true, key, text});
}

void CIniFile::SetInt(const std::string& section, const std::string& key, int value) {
    SetString(section, key, std::to_string(value));
}

void CIniFile::RemoveKey(const std::string& section, const std::string& key) {
    CSection* found = FindSection(section);
    if (found == nullptr) {
        return;
    }
    std::erase_if(found->lines, [&](const CLine& line) {
        return line.isEntry && EqualsIgnoringAsciiCase(line.key, key);
    });
}
