// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: the program's icon, name, version and licence.
#pragma once

#include <QDialog>

class QLabel;

class CCollAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCollAboutDlg(QWidget* parent = nullptr);

    QLabel* icon = nullptr;
    QLabel* version = nullptr;
    QLabel* licence = nullptr;
};
