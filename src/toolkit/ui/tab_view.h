// SPDX-License-Identifier: GPL-3.0-or-later
// A document view whose area is a tab strip over a set of pages, one page per tab; the main
// view derives from it and owns the pages.
#pragma once

#include <QMargins>
#include <QWidget>

#include "platform/document.h"
#include "toolkit/ui/tab_wnd_ctrl.h"

class CTabView : public QWidget, public CView {
    Q_OBJECT

public:
    explicit CTabView(QWidget* parent = nullptr);
    ~CTabView() override;

    // Appends a tab showing `window`, titled `title` or, when that is empty, with the window's
    // own title. The window becomes a hidden child of the view until its tab is selected; the
    // caller keeps owning it, and the view lets go of it if it outlives the view.
    void AddTab(QWidget* window, const QString& title = QString());
    // Shows the page of tab `index` and hides the one shown before. Does nothing without tabs,
    // for the current tab or for an index out of range. The strip's own selection is left as
    // it is: to switch tabs from code, select the tab in the strip, which calls this.
    void SelectTab(int index);
    QWidget* GetTabPage(int index) const;
    // Null while no tab is current (before the initial update).
    QWidget* GetCurrentPage() const;
    CTabWndCtrl& GetTabCtrl() { return tabCtrl; }
    const CTabWndCtrl& GetTabCtrl() const { return tabCtrl; }

    // How far the pages stay in from the strip's ends, below the strip and above the bottom
    // inset.
    void SetPageMargins(const QMargins& margins);
    // The distance of the strip and the pages' frame from the view's edges.
    void SetInset(const QMargins& margins);
    // The strip's height while it has no tabs. With tabs the style's height of a tab row
    // decides, so that the tabs meet the frame drawn around the pages.
    void SetTabHeight(int height);
    // Where the pages go, all in the same rectangle, for the view's present size.
    QRect GetPageRect() const;

    // Selects the first tab, lays the view out and updates it with hint 0. A derived view
    // that overrides this replaces all of it.
    virtual void OnInitialUpdate();
    void OnUpdate(CView* sender, CUpdateHint hint, const CCollItem* item) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int StripHeight() const;
    QRect FrameRect() const;
    void Layout();

    CTabWndCtrl tabCtrl;
    QMargins pageMargins{10, 10, 10, 10};
    QMargins inset{6, 6, 6, 6};
    int tabHeight = 28;
};
