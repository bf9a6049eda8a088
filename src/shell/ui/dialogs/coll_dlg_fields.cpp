// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dialogs/coll_dlg_fields.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>

namespace {

// Wide enough for a date and time or a number in the billions, never wider than a long path
// needs to be readable; the field scrolls beyond that.
constexpr int minimumValueChars = 24;
constexpr int maximumValueChars = 64;

}  // namespace

QString AccessibleNameOf(const QString& label) {
    QString name;
    for (qsizetype at = 0; at < label.size(); ++at) {
        if (label[at] == '&' && at + 1 < label.size()) {
            ++at;
        }
        name += label[at];
    }
    name = name.trimmed();
    if (name.endsWith(':')) {
        name.chop(1);
    }
    return name;
}

void AddLabelledRow(QFormLayout* form, const QString& label, QWidget* field) {
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    field->setAccessibleName(AccessibleNameOf(label));
    form->addRow(caption, field);
}

QLineEdit* AddValueRow(QFormLayout* form, const QString& label, const QString& value) {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFrame(false);
    // Read as text of the dialog (or of its group box), not as a box to type into.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    field->setPalette(palette);
    AddLabelledRow(form, label, field);
    SetValueText(field, value);
    return field;
}

void SetValueText(QLineEdit* field, const QString& value) {
    field->setText(value);
    field->setCursorPosition(0);
    const QFontMetrics metrics = field->fontMetrics();
    int wanted = metrics.horizontalAdvance(value) + metrics.averageCharWidth() * 2;
    int width = std::clamp(wanted, metrics.averageCharWidth() * minimumValueChars,
                           metrics.averageCharWidth() * maximumValueChars);
    field->setMinimumWidth(std::max(field->minimumWidth(), width));
}
