// SPDX-License-Identifier: GPL-3.0-or-later
// A full path of this system split into drive, folder, title and extension, rebuilt on every
// change. Only '/' separates; there are no drives here, so the drive stays empty.
#pragma once

#include <string>

class CFilePath {
public:
    CFilePath() = default;
    explicit CFilePath(const std::string& path);
    // The path of the running executable.
    static CFilePath FromExecutable();

    void SetPath(const std::string& path);
    void SetExtension(const std::string& extension);
    void SetTitle(const std::string& title);

    const std::string& GetDrive() const { return drive; }
    const std::string& GetFolder() const { return folder; }
    const std::string& GetTitle() const { return title; }
    const std::string& GetExtension() const { return extension; }
    const std::string& GetFullPath() const { return fullPath; }
    std::string GetFolderPath() const { return drive + folder; }
    std::string GetFileName() const;

private:
    void Rebuild();

    std::string drive;
    std::string folder;
    std::string title;
    std::string extension;
    std::string fullPath;
};
