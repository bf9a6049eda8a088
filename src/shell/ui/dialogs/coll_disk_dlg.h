// SPDX-License-Identifier: GPL-3.0-or-later
// The "Disk properties" dialog: a disk's title, burn date and description with its label,
// serial and totals. It shows a disk of the collection (view mode, Edit/Apply rewriting the
// index file's header) or takes the values of a freshly scanned disk (new-disk mode). What it
// checks, stores and writes is CCollDiskEdit's; the dialog only moves texts.
#pragma once

#include <QDialog>

#include "shell/disk_edit.h"

class CCollDisk;
class CDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CCollDiskDlg : public QDialog {
    Q_OBJECT

public:
    using Mode = CCollDiskEdit::Mode;

    CCollDiskDlg(CCollDisk& disk, Mode mode, QWidget* parent = nullptr);

    // Closes only when the edit's OK allows it.
    void accept() override;

    const CCollDiskEdit& GetEdit() const { return edit; }

    QLineEdit* titleField = nullptr;
    CDateEdit* dateField = nullptr;
    QPlainTextEdit* descriptionField = nullptr;
    QLineEdit* labelField = nullptr;
    QLineEdit* serialField = nullptr;
    QLineEdit* totalFilesField = nullptr;
    QLineEdit* totalFoldersField = nullptr;
    QLineEdit* totalBytesField = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void OnEditButton();
    // Takes the edit's state: which fields are writable, the button's text.
    void ShowState();

    CCollDiskEdit edit;
};
