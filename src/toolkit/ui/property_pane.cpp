// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/property_pane.h"

CPropertyPane::CPropertyPane(const QString& title, QWidget* parent)
    : QWidget(parent), title(title) {}
