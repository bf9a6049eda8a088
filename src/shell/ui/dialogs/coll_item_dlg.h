// SPDX-License-Identifier: GPL-3.0-or-later
// The "Folder properties" and "File properties" boxes: one catalogued item's name, times and
// (files only) size, as its index file recorded them.
#pragma once

#include <QDialog>

class CCollDiskItem;
class QLabel;
class QLineEdit;

class CCollItemDlg : public QDialog {
    Q_OBJECT

public:
    CCollItemDlg(const CCollDiskItem& item, QWidget* parent = nullptr);

    QLabel* heading = nullptr;
    QLineEdit* nameField = nullptr;
    QLineEdit* createdField = nullptr;
    QLineEdit* accessedField = nullptr;
    QLineEdit* modifiedField = nullptr;
    // Null for a folder.
    QLineEdit* sizeField = nullptr;
    // Always empty.
    QLineEdit* pathField = nullptr;
};
