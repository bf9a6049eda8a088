// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/search/coll_search_panel1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "platform/ui/display_text.h"
#include "shell/search_criteria_form.h"
#include "store/coll_disk_item_type.h"

namespace {

// A drop-down list that asks for its items each time it opens.
class CDiskList : public QComboBox {
public:
    explicit CDiskList(CCollSearchPanel1& owner) : QComboBox(&owner), page(owner) {}

    void showPopup() override {
        page.FillDiskList();
        QComboBox::showPopup();
    }

private:
    CCollSearchPanel1& page;
};

QLabel* AddRow(QGridLayout& grid, int row, const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
    return label;
}

}  // namespace

CCollSearchPanel1::CCollSearchPanel1(QWidget* parent)
    : QWidget(parent),
      wordsEdit(new QLineEdit(this)),
      diskList(new CDiskList(*this)),
      typeList(new QComboBox(this)),
      caseCheck(new QCheckBox("&Case sensitive", this)) {
    setObjectName("SearchPanel1");
    wordsEdit->setObjectName("WordsEdit");
    diskList->setObjectName("DiskList");
    typeList->setObjectName("TypeList");
    caseCheck->setObjectName("CaseCheck");
    wordsEdit->setToolTip("Names holding any of these words are found; none finds every item");
    diskList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    diskList->setMinimumContentsLength(16);
    for (const auto& [text, type] : GetTypeChoices()) {
        typeList->addItem(QString::fromStdString(text));
    }
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 9, 9, 9);
    AddRow(*grid, 0, "&Words", wordsEdit);
    AddRow(*grid, 1, "&Disk", diskList);
    AddRow(*grid, 2, "&Type", typeList);
    grid->addWidget(caseCheck, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    setTabOrder(wordsEdit, diskList);
    setTabOrder(diskList, typeList);
    setTabOrder(typeList, caseCheck);
    connect(wordsEdit, &QLineEdit::returnPressed, this, &CCollSearchPanel1::SearchAsked);
    // Only what the user does: the lists are also refilled when the collection changes.
    connect(wordsEdit, &QLineEdit::textEdited, this, &CCollSearchPanel1::CriteriaChanged);
    connect(diskList, &QComboBox::activated, this, &CCollSearchPanel1::CriteriaChanged);
    connect(typeList, &QComboBox::activated, this, &CCollSearchPanel1::CriteriaChanged);
    connect(caseCheck, &QCheckBox::clicked, this, &CCollSearchPanel1::CriteriaChanged);
    FillDiskList();
}

void CCollSearchPanel1::SetCollection(const CCollection* shown) {
    collection = shown;
    diskList->clear();
    FillDiskList();
    typeList->setCurrentIndex(0);
}

void CCollSearchPanel1::FillDiskList() {
    std::vector<std::string> titles{"All"};
    if (collection != nullptr) {
        titles = GetDiskChoices(*collection);
    }
    // The titles are kept as they are, so that a disk is found by its exact bytes.
    QByteArray chosen = diskList->currentData().toByteArray();
    diskList->clear();
    int index = 0;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        QByteArray title = i == 0 ? QByteArray() : QByteArray::fromStdString(titles[i]);
        diskList->addItem(i == 0 ? QString("All") : DisplayText(titles[i]), title);
        if (i != 0 && index == 0 && title == chosen) {
            index = static_cast<int>(i);
        }
    }
    diskList->setCurrentIndex(index);
}

void CCollSearchPanel1::ReadForm(CSearchForm& form) const {
    form.words = wordsEdit->text().toStdString();
    form.diskTitle = diskList->currentData().toByteArray().toStdString();
    int typeIndex = typeList->currentIndex();
    auto types = GetTypeChoices();
    form.type = typeIndex >= 0 && static_cast<std::size_t>(typeIndex) < types.size()
                    ? types[static_cast<std::size_t>(typeIndex)].second
                    : nullptr;
    form.caseSensitive = caseCheck->isChecked();
}
