// SPDX-License-Identifier: GPL-3.0-or-later
// The "Date" page of the search panel: which time to look at, and the days of the interval.
// The days and their labels show only while a time is chosen.
#pragma once

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
struct CSearchForm;

class CCollSearchPanel2 : public QWidget {
    Q_OBJECT

public:
    explicit CCollSearchPanel2(QWidget* parent = nullptr);

    // Shows the days in the date format of the settings.
    void UpdateDateFormat();
    void ReadForm(CSearchForm& form) const;

    QComboBox& GetTimeList() { return *timeList; }
    QDateEdit& GetFromEdit() { return *fromEdit; }
    QDateEdit& GetToEdit() { return *toEdit; }

signals:
    // The user changed the interval.
    void CriteriaChanged();

private:
    void ShowInterval();

    QComboBox* timeList;
    QLabel* fromLabel;
    QDateEdit* fromEdit;
    QLabel* toLabel;
    QDateEdit* toEdit;
};
