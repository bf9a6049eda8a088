// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/date_edit.h"

CDateEdit::CDateEdit(QWidget* parent) : QLineEdit(parent) {}

void CDateEdit::SetDate(Time32 time) {
    setText(QString::fromStdString(format->Format(time)));
}

bool CDateEdit::GetDate(Time32& time) const {
    return format->Parse(text().toStdString(), time);
}
