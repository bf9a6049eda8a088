// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip of a CTabView. It remembers which tab's page the view shows, which may lag
// behind the tab the strip itself shows as selected while the view has not caught up.
#pragma once

#include <QTabBar>

class CTabWndCtrl : public QTabBar {
    Q_OBJECT

public:
    // `blendBottom`: the strip draws no base line of its own, so that its selected tab opens
    // into the frame the view draws around the pages below it.
    explicit CTabWndCtrl(QWidget* parent = nullptr, bool blendBottom = true);

    bool BlendsBottom() const { return blendBottom; }
    // The tab whose page is shown; -1 until one is selected.
    int GetCurrentTab() const { return currentTab; }
    void SetCurrentTab(int index) { currentTab = index; }

private:
    int currentTab = -1;
    bool blendBottom;
};
