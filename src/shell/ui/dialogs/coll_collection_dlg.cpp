// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_collection_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/display_text.h"
#include "shell/coll_doc.h"
#include "shell/property_texts.h"
#include "shell/ui/dialogs/coll_dlg_fields.h"

CCollCollectionDlg::CCollCollectionDlg(CCollDoc& doc, QWidget* parent) : QDialog(parent), doc(doc) {
    setWindowTitle("Collection properties");
    CCollCollectionTexts texts = GetCollectionTexts(doc.collection, doc.GetPathName());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    layout->addLayout(form);
    fileField = AddValueRow(form, "&File", DisplayText(texts.file));
    creationField = AddValueRow(form, "&Creation", DisplayText(texts.creation));
    modifiedField = AddValueRow(form, "&Modified", DisplayText(texts.modified));
    disksField = AddValueRow(form, "D&isks", QString::fromStdString(texts.disks));

    descriptionField = new QPlainTextEdit(DisplayText(doc.collection.description));
    descriptionField->setTabChangesFocus(true);
    descriptionField->setMinimumHeight(descriptionField->fontMetrics().lineSpacing() * 6);
    AddLabelledRow(form, "&Description", descriptionField);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCollCollectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCollCollectionDlg::reject);
    layout->addWidget(buttons);
    // As tall as six lines of description to start with; the user may make it taller.
    resize(sizeHint().width(), minimumSizeHint().height());
    descriptionField->setFocus();
}

void CCollCollectionDlg::accept() {
    doc.SetDescription(descriptionField->toPlainText().toStdString());
    QDialog::accept();
}
