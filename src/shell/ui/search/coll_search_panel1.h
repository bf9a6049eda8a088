// SPDX-License-Identifier: GPL-3.0-or-later
// The "Name and path" page of the search panel: the words, the disk, the type and the case.
// The disk list is filled again whenever it opens, so that it lists the present disks.
#pragma once

#include <QWidget>

class CCollection;
class QCheckBox;
class QComboBox;
class QLineEdit;
struct CSearchForm;

class CCollSearchPanel1 : public QWidget {
    Q_OBJECT

public:
    explicit CCollSearchPanel1(QWidget* parent = nullptr);

    // The collection whose disks the disk list offers; not owned, may be null. Lists its
    // disks and chooses "All" in the disk and type lists.
    void SetCollection(const CCollection* shown);
    // Lists the collection's disks again, keeping the chosen one while it is there.
    void FillDiskList();
    void ReadForm(CSearchForm& form) const;

    QLineEdit& GetWordsEdit() { return *wordsEdit; }
    QComboBox& GetDiskList() { return *diskList; }
    QComboBox& GetTypeList() { return *typeList; }
    QCheckBox& GetCaseCheck() { return *caseCheck; }

signals:
    // Enter in the words field.
    void SearchAsked();
    // The user changed the words or a criterion.
    void CriteriaChanged();

private:
    const CCollection* collection = nullptr;
    QLineEdit* wordsEdit;
    QComboBox* diskList;
    QComboBox* typeList;
    QCheckBox* caseCheck;
};
