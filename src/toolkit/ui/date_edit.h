// SPDX-License-Identifier: GPL-3.0-or-later
// A one-line edit that shows and reads a date in one of the two date formats, month first
// until it is given the other.
#pragma once

#include <QLineEdit>

#include "helpers/coll_types.h"
#include "helpers/date_format.h"

class CDateEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CDateEdit(QWidget* parent = nullptr);

    // Applies to the next SetDate and GetDate; the text shown stays as it is.
    void SetFormat(const CDateFormat& dateFormat) { format = &dateFormat; }
    const CDateFormat& GetFormat() const { return *format; }
    void SetDate(Time32 time);
    // False when the text is no date in the edit's format; `time` is then unchanged.
    bool GetDate(Time32& time) const;

private:
    const CDateFormat* format = &CDateFormat::MonthFirst();
};
