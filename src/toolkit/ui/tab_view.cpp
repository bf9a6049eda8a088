// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/tab_view.h"

#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>

CTabView::CTabView(QWidget* parent) : QWidget(parent), tabCtrl(this) {
    // The strip's selection moves first (a click, the keyboard or code); the pages follow.
    connect(&tabCtrl, &QTabBar::currentChanged, this, [this](int index) {
        SelectTab(index);
        update();
    });
}

CTabView::~CTabView() {
    // The pages belong to whoever added them; Qt would delete the view's children with it.
    for (int index = 0; index < tabCtrl.count(); ++index) {
        QWidget* page = GetTabPage(index);
        if (page != nullptr && page->parentWidget() == this) {
            page->hide();
            page->setParent(nullptr);
        }
    }
}

void CTabView::AddTab(QWidget* window, const QString& title) {
    if (window->parentWidget() != this) {
        window->setParent(this);
    }
    window->hide();
    // A first tab becomes the strip's selection at once; the view has no current tab until
    // the initial update selects one, so that change must not reach SelectTab.
    QSignalBlocker blocker(tabCtrl);
    int index = tabCtrl.addTab(title.isEmpty() ? window->windowTitle() : title);
    tabCtrl.setTabData(index, QVariant::fromValue(QPointer<QWidget>(window)));
    Layout();
}

void CTabView::SelectTab(int index) {
    int current = tabCtrl.GetCurrentTab();
    if (tabCtrl.count() == 0 || index == current || index < 0 || index >= tabCtrl.count()) {
        return;
    }
    if (QWidget* page = GetTabPage(index)) {
        page->show();
    }
    if (QWidget* previous = GetTabPage(current)) {
        previous->hide();
    }
    tabCtrl.SetCurrentTab(index);
}

QWidget* CTabView::GetTabPage(int index) const {
    return tabCtrl.tabData(index).value<QPointer<QWidget>>().data();
}

QWidget* CTabView::GetCurrentPage() const {
    return GetTabPage(tabCtrl.GetCurrentTab());
}

void CTabView::SetPageMargins(const QMargins& margins) {
    pageMargins = margins;
    Layout();
}

void CTabView::SetInset(const QMargins& margins) {
    inset = margins;
    Layout();
}

void CTabView::SetTabHeight(int height) {
    tabHeight = height;
    Layout();
}

void CTabView::OnInitialUpdate() {
    SelectTab(0);
    Layout();
    OnUpdate(nullptr, CUpdateHint::redrawAll, nullptr);
}

void CTabView::OnUpdate(CView* /*sender*/, CUpdateHint /*hint*/, const CCollItem* /*item*/) {
    update();
}

void CTabView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

int CTabView::StripHeight() const {
    if (tabCtrl.count() == 0) {
        return tabHeight;
    }
    return tabCtrl.sizeHint().height();
}

QRect CTabView::GetPageRect() const {
    int stripWidth = width() - inset.left() - inset.right();
    int stripHeight = StripHeight();
    int pageHeight = height() - inset.top() - inset.bottom() - pageMargins.top() -
                     pageMargins.bottom() - stripHeight;
    return QRect(inset.left() + pageMargins.left(), inset.top() + stripHeight + pageMargins.top(),
                 std::max(0, stripWidth - pageMargins.left() - pageMargins.right()),
                 std::max(0, pageHeight));
}

// The frame around the pages, tucked under the strip by the style's overlap so that the
// selected tab opens into it.
QRect CTabView::FrameRect() const {
    int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    int top = inset.top() + StripHeight() - overlap;
    return QRect(inset.left(), top, std::max(0, width() - inset.left() - inset.right()),
                 std::max(0, height() - inset.bottom() - top));
}

void CTabView::Layout() {
    tabCtrl.setGeometry(inset.left(), inset.top(),
                        std::max(0, width() - inset.left() - inset.right()), StripHeight());
    QRect pageRect = GetPageRect();
    for (int index = 0; index < tabCtrl.count(); ++index) {
        if (QWidget* page = GetTabPage(index)) {
            page->setGeometry(pageRect);
        }
    }
    tabCtrl.raise();
    update();
}

void CTabView::paintEvent(QPaintEvent* /*event*/) {
    if (!tabCtrl.BlendsBottom()) {
        return;
    }
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = FrameRect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    option.shape = tabCtrl.shape();
    option.tabBarSize = tabCtrl.sizeHint();
    option.tabBarRect = tabCtrl.geometry();
    option.selectedTabRect = tabCtrl.tabRect(tabCtrl.currentIndex()).translated(tabCtrl.pos());
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}
