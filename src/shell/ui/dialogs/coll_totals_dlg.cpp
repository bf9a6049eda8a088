// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_totals_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/property_texts.h"
#include "shell/ui/dialogs/coll_dlg_fields.h"

CCollTotalsDlg::CCollTotalsDlg(const CCollection& collection, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Collection totals");
    CCollTotalsTexts texts = GetTotalsTexts(collection);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    disksField = AddValueRow(form, "&Disks", QString::fromStdString(texts.disks));
    foldersField = AddValueRow(form, "F&olders", QString::fromStdString(texts.folders));
    filesField = AddValueRow(form, "&Files", QString::fromStdString(texts.files));
    totalSizeField = AddValueRow(form, "Total &size", QString::fromStdString(texts.totalSize));

    // One button: Enter and Escape both close.
    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton("Close", QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    close->setFocus();
}
