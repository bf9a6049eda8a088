// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/dialog_path.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <vector>

#include "platform/name_text.h"
#include "platform/path_status.h"
#include "platform/ui/display_text.h"

CDialogStart DialogStart(const std::string& path) {
    std::vector<std::string> parts = PathNames(path);
    bool absolute = !path.empty() && path[0] == '/';
    std::size_t enterable = 0;
    while (enterable < parts.size() && IsValidUtf8(parts[enterable])) {
        ++enterable;
    }
    auto join = [&parts](std::size_t from, std::size_t to, QString text) {
        for (std::size_t i = from; i < to; ++i) {
            if (!text.isEmpty() && !text.endsWith('/')) {
                text += '/';
            }
            text += DisplayText(parts[i]);
        }
        return text;
    };
    // The last part may be a file's name; a folder that is not there cannot be entered either.
    while (enterable > 0 && !QFileInfo(join(0, enterable, absolute ? "/" : "")).isDir()) {
        --enterable;
    }
    return CDialogStart{join(0, enterable, absolute ? "/" : ""), join(enterable, parts.size(), "")};
}

std::string ChosenPathBytes(const QString& chosen, const std::string& shown) {
    bool absolute = chosen.startsWith('/');
    if (shown.empty() || absolute != (shown[0] == '/')) {
        return QFile::encodeName(chosen).toStdString();
    }
    std::vector<std::string> shownParts = PathNames(shown);
    QStringList chosenParts = chosen.split('/', Qt::SkipEmptyParts);
    std::string bytes = absolute ? "/" : "";
    qsizetype at = 0;
    for (; at < chosenParts.size(); ++at) {
        auto part = static_cast<std::size_t>(at);
        if (part >= shownParts.size() || DisplayText(shownParts[part]) != chosenParts[at]) {
            break;
        }
        bytes += shownParts[part];
        bytes += '/';
    }
    for (; at < chosenParts.size(); ++at) {
        bytes += QFile::encodeName(chosenParts[at]).toStdString();
        bytes += '/';
    }
    if (bytes.size() > 1) {
        bytes.pop_back();
    }
    return bytes;
}
