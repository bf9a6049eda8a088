// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/search/coll_search_panel2.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>

#include "helpers/coll_settings.h"
#include "helpers/date_format.h"
#include "shell/search_criteria_form.h"

namespace {

QDateEdit* MakeDayEdit(QWidget* parent, const char* name) {
    auto* edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    // Catalogued times reach far either side of 1970: so does the search.
    edit->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    return edit;
}

void ReadDay(const QDateEdit& edit, CSearchDay& day) {
    QDate date = edit.date();
    day.year = date.year();
    day.month = date.month();
    day.day = date.day();
}

}  // namespace

CCollSearchPanel2::CCollSearchPanel2(QWidget* parent)
    : QWidget(parent),
      timeList(new QComboBox(this)),
      fromLabel(new QLabel("&From", this)),
      fromEdit(MakeDayEdit(this, "FromDate")),
      toLabel(new QLabel("T&o", this)),
      toEdit(MakeDayEdit(this, "ToDate")) {
    setObjectName("SearchPanel2");
    timeList->setObjectName("TimeList");
    timeList->setAccessibleName("Time");
    for (const CSearchChoice& choice : GetTimeChoices()) {
        timeList->addItem(QString::fromStdString(choice.text), choice.value);
    }
    fromLabel->setBuddy(fromEdit);
    toLabel->setBuddy(toEdit);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 9, 9, 9);
    grid->addWidget(timeList, 0, 0, 1, 4);
    grid->addWidget(fromLabel, 1, 0);
    grid->addWidget(fromEdit, 1, 1);
    grid->addWidget(toLabel, 1, 2);
    grid->addWidget(toEdit, 1, 3);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(2, 1);
    setTabOrder(timeList, fromEdit);
    setTabOrder(fromEdit, toEdit);
    connect(timeList, &QComboBox::currentIndexChanged, this, &CCollSearchPanel2::ShowInterval);
    connect(timeList, &QComboBox::activated, this, &CCollSearchPanel2::CriteriaChanged);
    connect(fromEdit, &QDateEdit::userDateChanged, this, &CCollSearchPanel2::CriteriaChanged);
    connect(toEdit, &QDateEdit::userDateChanged, this, &CCollSearchPanel2::CriteriaChanged);
    UpdateDateFormat();
    ShowInterval();
}

void CCollSearchPanel2::UpdateDateFormat() {
    const CCollSettings* settings = GetSettings();
    bool dayFirst = settings != nullptr && settings->GetDateFormat() == &CDateFormat::DayFirst();
    QString pattern = dayFirst ? "dd/MM/yyyy" : "MM/dd/yyyy";
    fromEdit->setDisplayFormat(pattern);
    toEdit->setDisplayFormat(pattern);
}

void CCollSearchPanel2::ShowInterval() {
    bool shown = timeList->currentData().toInt() != -1;
    for (QWidget* control : {static_cast<QWidget*>(fromLabel), static_cast<QWidget*>(fromEdit),
                             static_cast<QWidget*>(toLabel), static_cast<QWidget*>(toEdit)}) {
        control->setVisible(shown);
    }
}

void CCollSearchPanel2::ReadForm(CSearchForm& form) const {
    form.timeKind = timeList->currentData().toInt();
    ReadDay(*fromEdit, form.from);
    ReadDay(*toEdit, form.to);
}
