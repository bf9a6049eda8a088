// SPDX-License-Identifier: GPL-3.0-or-later
// The "Collection properties" dialog: the collection file's name and times, its number of
// disks, and its description, which OK hands to the document (a change to save).
#pragma once

#include <QDialog>

class CCollDoc;
class QLineEdit;
class QPlainTextEdit;

class CCollCollectionDlg : public QDialog {
    Q_OBJECT

public:
    CCollCollectionDlg(CCollDoc& doc, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* fileField = nullptr;
    QLineEdit* creationField = nullptr;
    QLineEdit* modifiedField = nullptr;
    QLineEdit* disksField = nullptr;
    QPlainTextEdit* descriptionField = nullptr;

private:
    CCollDoc& doc;
};
