// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/tab_wnd_ctrl.h"

CTabWndCtrl::CTabWndCtrl(QWidget* parent, bool blendBottom)
    : QTabBar(parent), blendBottom(blendBottom) {
    setDrawBase(!blendBottom);
    // Tabs keep their natural width; a long row scrolls rather than squeezing the titles.
    setExpanding(false);
    setUsesScrollButtons(true);
}
