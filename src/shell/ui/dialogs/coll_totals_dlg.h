// SPDX-License-Identifier: GPL-3.0-or-later
// The "Collection totals" box: disks, folders, files and bytes of the whole collection, added
// up from the disks' headers when the box is made.
#pragma once

#include <QDialog>

class CCollection;
class QLineEdit;

class CCollTotalsDlg : public QDialog {
    Q_OBJECT

public:
    CCollTotalsDlg(const CCollection& collection, QWidget* parent = nullptr);

    QLineEdit* disksField = nullptr;
    QLineEdit* foldersField = nullptr;
    QLineEdit* filesField = nullptr;
    QLineEdit* totalSizeField = nullptr;
};
