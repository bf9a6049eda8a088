// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_item_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/ui/display_text.h"
#include "shell/property_texts.h"
#include "shell/ui/dialogs/coll_dlg_fields.h"
#include "store/coll_disk_item.h"

namespace {

// Strftime's texts are in the locale's encoding, UTF-8 here.
QString TimeText(const std::string& text) {
    return DisplayText(text);
}

}  // namespace

CCollItemDlg::CCollItemDlg(const CCollDiskItem& item, QWidget* parent) : QDialog(parent) {
    CCollItemTexts texts = GetItemTexts(item);
    setWindowTitle(DisplayText(texts.caption));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    icon->setPixmap(style()
                        ->standardIcon(item.IsFolder() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon)
                        .pixmap(iconSize, iconSize));
    icon->setAccessibleName(DisplayText(texts.heading));
    heading = new QLabel(DisplayText(texts.heading));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    top->addWidget(icon);
    top->addWidget(heading, 1);
    layout->addLayout(top);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    nameField = AddValueRow(form, "&Name:", DisplayText(texts.name));
    createdField = AddValueRow(form, "&Created:", TimeText(texts.created));
    accessedField = AddValueRow(form, "&Accessed:", TimeText(texts.accessed));
    modifiedField = AddValueRow(form, "&Modified:", TimeText(texts.modified));
    if (texts.hasSize) {
        sizeField = AddValueRow(form, "&Size:", QString::fromStdString(texts.size));
    }
    pathField = AddValueRow(form, "&Path:", QString());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Nothing to edit: the fields are there to read and copy from.
    ok->setFocus();
}
