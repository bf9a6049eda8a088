// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces every properties dialog builds its form from: read-only values a user can
// select and a screen reader names by their labels.
#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

// "&Name:" as a screen reader says it: "Name".
QString AccessibleNameOf(const QString& label);
// Adds a row of `label` (its mnemonic focusing `field`) and `field`, named by the label.
void AddLabelledRow(QFormLayout* form, const QString& label, QWidget* field);
// A frameless read-only field, wide enough for `value` (within reason), in a labelled row.
QLineEdit* AddValueRow(QFormLayout* form, const QString& label, const QString& value);
// Sets `value`, keeping the field wide enough to show it whole (within reason).
void SetValueText(QLineEdit* field, const QString& value);
