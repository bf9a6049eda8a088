// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_about_dlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/ui/coll_icons.h"

CCollAboutDlg::CCollAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Tamblor");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    QIcon programIcon = GetProgramIcon();
    int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    icon = new QLabel;
    icon->setPixmap(programIcon.pixmap(iconSize, iconSize));
    icon->setAccessibleName("Tamblor");
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(iconSize);
    version = new QLabel("Tamblor Version 0.02");
    version->setMinimumWidth(version->fontMetrics().horizontalAdvance(version->text()) + iconSize);
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(version, 1, Qt::AlignVCenter);

    // Who may use it, and on what terms: the program's own licence, and the libraries'.
    licence = new QLabel(
        "Tamblor is free software: you can redistribute it and/or modify it under the terms "
        "of the GNU General Public License, version 3 or (at your option) any later "
        "version. It comes with no warranty.\n\nIt uses the Qt libraries under the GNU "
        "Lesser General Public License, version 3.");
    licence->setWordWrap(true);
    licence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    licence->setFixedWidth(version->minimumWidth() * 2);
    layout->addWidget(licence);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addSpacing(iconSize / 3);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
