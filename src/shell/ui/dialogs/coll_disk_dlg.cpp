// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_disk_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "helpers/coll_settings.h"
#include "helpers/date_format.h"
#include "platform/ui/display_text.h"
#include "shell/ui/dialogs/coll_dlg_fields.h"
#include "toolkit/ui/date_edit.h"

namespace {

// A multi-line edit that stops taking typed characters once the text would pass `limit`
// bytes, as the header keeps it. Pasted or programmatic text is let through for the dialog's
// check to refuse with a message rather than be cut short unseen.
class CLimitedTextEdit : public QPlainTextEdit {
public:
    explicit CLimitedTextEdit(int limit) : limit(limit) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QString typed = event->text();
        bool inserts = !typed.isEmpty() && !isReadOnly() &&
                       (typed[0].isPrint() || typed == "\r" || typed == "\t");
        if (inserts) {
            QString selected = textCursor().selectedText();
            qsizetype after = toPlainText().toUtf8().size() - selected.toUtf8().size() +
                              (typed == "\r" ? 1 : typed.toUtf8().size());
            if (after > limit) {
                event->accept();
                return;
            }
        }
        QPlainTextEdit::keyPressEvent(event);
    }

private:
    int limit;
};

}  // namespace

CCollDiskDlg::CCollDiskDlg(CCollDisk& disk, Mode mode, QWidget* parent)
    : QDialog(parent), edit(disk, mode, GetShownDateFormat()) {
    setWindowTitle("Disk properties");
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    titleField = new QLineEdit(DisplayText(edit.GetTitle()));
    titleField->setMaxLength(CCollDiskEdit::titleLimit);
    titleField->setMinimumWidth(titleField->fontMetrics().averageCharWidth() * 40);
    AddLabelledRow(form, "&Title", titleField);

    dateField = new CDateEdit;
    dateField->SetFormat(GetShownDateFormat());
    dateField->setText(QString::fromStdString(edit.GetDateText()));
    dateField->setPlaceholderText(QString::fromStdString(GetShownDateFormat().GetName()));
    dateField->setMaximumWidth(dateField->fontMetrics().averageCharWidth() * 16);
    AddLabelledRow(form, "&Burn date", dateField);

    descriptionField = new CLimitedTextEdit(CCollDiskEdit::descriptionLimit);
    descriptionField->setPlainText(DisplayText(edit.GetDescription()));
    descriptionField->setTabChangesFocus(true);
    descriptionField->setFixedHeight(descriptionField->fontMetrics().lineSpacing() * 5 +
                                     descriptionField->frameWidth() * 2 + 8);
    AddLabelledRow(form, "&Description", descriptionField);

    auto* group = new QGroupBox("Disk properties");
    auto* values = new QFormLayout(group);
    labelField = AddValueRow(values, "&Label", DisplayText(edit.GetLabel()));
    serialField = AddValueRow(values, "&Serial", QString::fromStdString(edit.GetSerialText()));
    totalFilesField =
        AddValueRow(values, "Total &files", QString::fromStdString(edit.GetTotalFilesText()));
    totalFoldersField =
        AddValueRow(values, "Total f&olders", QString::fromStdString(edit.GetTotalFoldersText()));
    totalBytesField =
        AddValueRow(values, "Total b&ytes", QString::fromStdString(edit.GetTotalBytesText()));
    layout->addWidget(group);

    // Edit/Apply works on the fields, apart from the buttons that end the dialog.
    auto* bottom = new QHBoxLayout;
    editButton = new QPushButton("&Edit");
    editButton->setAutoDefault(false);
    bottom->addWidget(editButton);
    bottom->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setDefault(true);
    cancelButton = buttons->button(QDialogButtonBox::Cancel);
    connect(editButton, &QPushButton::clicked, this, &CCollDiskDlg::OnEditButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCollDiskDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCollDiskDlg::reject);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    ShowState();
    titleField->setFocus();
}

void CCollDiskDlg::accept() {
    if (edit.Ok(titleField->text().toStdString(), dateField->text().toStdString(),
                descriptionField->toPlainText().toStdString())) {
        QDialog::accept();
        return;
    }
    ShowState();
}

void CCollDiskDlg::OnEditButton() {
    bool wasEditing = edit.IsEditing();
    edit.PressEditButton(dateField->text().toStdString(),
                         descriptionField->toPlainText().toStdString());
    if (wasEditing && !edit.IsEditing()) {
        // Written: show the date as it was stored, in the format's own spelling.
        dateField->setText(QString::fromStdString(edit.GetDateText()));
    }
    ShowState();
    if (edit.IsEditing()) {
        dateField->setFocus();
    }
}

void CCollDiskDlg::ShowState() {
    titleField->setReadOnly(!edit.IsTitleWritable());
    dateField->setReadOnly(!edit.AreFieldsWritable());
    descriptionField->setReadOnly(!edit.AreFieldsWritable());
    editButton->setText(QString("&") + edit.GetEditButtonText());
    editButton->setEnabled(edit.IsEditButtonEnabled());
}
