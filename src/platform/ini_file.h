// SPDX-License-Identifier: GPL-3.0-or-later
// The program's profile: an INI file of sections and "key=value" lines, read whole, edited in
// memory and written back in one atomic replace. Sections and keys compare ignoring ASCII
// case; values are kept as written. Comments, blank lines, lines without "=" and everything
// the program does not know survive a save in their places.
#pragma once

#include <string>
#include <vector>

class CIniFile {
public:
    CIniFile();

    // Reads the file; a missing one is an empty profile. Other failures throw CFileException.
    void Load(const std::string& path);
    // Replaces the file through a temporary file beside it; throws CFileException.
    void Save() const;
    const std::string& GetPath() const { return path; }

    // The value of the first such key in the first such section, or `defaultValue`.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue = std::string()) const;
    // The value's leading decimal integer (0 when it has none); `defaultValue` when the key is
    // missing or empty.
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    // Replaces the value in place, or appends the key at the end of its section, or the
    // section at the end of the file. A value ends at its first line break.
    void SetString(const std::string& section, const std::string& key, const std::string& value);
    void SetInt(const std::string& section, const std::string& key, int value);
    void RemoveKey(const std::string& section, const std::string& key);

private:
    struct CLine {
        std::string text;
        // Set only for "key=value" lines.
        bool isEntry = false;
        std::string key;
        std::string value;
    };
    struct CSection {
        // The lines before the first header form a section without one, which no lookup finds.
        bool hasHeader = false;
        std::string name;
        std::string header;
        std::vector<CLine> lines;
    };

    void Parse(const std::string& contents);
    const CSection* FindSection(const std::string& name) const;
    CSection* FindSection(const std::string& name);
    static const CLine* FindEntry(const CSection& section, const std::string& key);

    std::string path;
    bool byteOrderMark = false;
    std::vector<CSection> sections;
};
