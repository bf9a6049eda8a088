// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/file_path.h"

#include "platform/fs_ops.h"

CFilePath::CFilePath(const std::string& path) {
    SetPath(path);
}

CFilePath CFilePath::FromExecutable() {
    std::string path;
    if (!ReadLinkText("/proc/self/exe", path)) {
        return CFilePath();
    }
    return CFilePath(path);
}

void CFilePath::SetPath(const std::string& path) {
    drive.clear();
    // A full path of this system: a backslash is part of a name, never a separator.
    std::string name = FileNameOf(path);
    folder = path.substr(0, path.size() - name.size());
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos) {
        title = name;
        extension.clear();
    } else {
        title = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
    Rebuild();
}

void CFilePath::SetExtension(const std::string& text) {
    extension = !text.empty() && text[0] == '.' ? text.substr(1) : text;
    Rebuild();
}

void CFilePath::SetTitle(const std::string& text) {
    title = text;
    Rebuild();
}

std::string CFilePath::GetFileName() const {
    return extension.empty() ? title : title + "." + extension;
}

void CFilePath::Rebuild() {
    fullPath = drive + folder;
    if (!folder.empty() && folder.back() != '/') {
        fullPath += '/';
    }
    fullPath += GetFileName();
}
