// SPDX-License-Identifier: GPL-3.0-or-later
// File-system paths through Qt's file dialogs. Qt turns a path that is not UTF-8 into
// replacement characters and cannot turn them back, so a dialog is shown the path as the
// user reads names, and what it returns is matched against that to recover the bytes.
#pragma once

#include <QString>
#include <string>

// Where a file dialog starts for `path` (bytes): the deepest folder of it that Qt can enter,
// and the rest of the path, relative to that folder, as the user reads it. Qt's own fallback
// for a folder it cannot enter starts elsewhere and garbles the rest.
struct CDialogStart {
    QString folder;
    QString rest;
};
CDialogStart DialogStart(const std::string& path);

// The bytes of `chosen`, a path a dialog returned after being shown `shown`: the leading
// folders and name that read as those of `shown` are its bytes, the rest is encoded as Qt
// encodes file names.
std::string ChosenPathBytes(const QString& chosen, const std::string& shown);
