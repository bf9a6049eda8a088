// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/tab_view.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QLabel>
#include <QTest>
#include <memory>

namespace {

// Counts the show and hide events a page receives.
class CShowCounter : public QObject {
public:
    int shows = 0;
    int hides = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        shows += event->type() == QEvent::Show ? 1 : 0;
        hides += event->type() == QEvent::Hide ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

// Owns its pages, as the main view does, and records its updates.
class CTwoPageView : public CTabView {
public:
    CTwoPageView() {
        browse.setWindowTitle("Browse");
        AddTab(&browse);
        AddTab(&search, "Search");
        resize(400, 300);
        show();
    }
    void OnUpdate(CView* /*sender*/, CUpdateHint hint, const CCollItem* /*item*/) override {
        updates.push_back(static_cast<int>(hint));
    }

    QLabel browse{"Disks, folders and files"};
    QLabel search{"Words, type and dates"};
    std::vector<int> updates;
};

}  // namespace

TEST(TabView, WithoutTabsPlacesOnlyTheStripAndIgnoresSelection) {
    CTabView view;
    view.resize(400, 300);
    view.show();
    view.OnInitialUpdate();
    view.SelectTab(0);
    EXPECT_EQ(view.GetTabCtrl().geometry(), QRect(6, 6, 388, 28));
    EXPECT_EQ(view.GetTabCtrl().GetCurrentTab(), -1);
    EXPECT_EQ(view.GetCurrentPage(), nullptr);
}

TEST(TabView, PagesFollowTheStripsSelection) {
    CTwoPageView view;
    CShowCounter browseEvents;
    view.browse.installEventFilter(&browseEvents);
    EXPECT_EQ(view.GetTabCtrl().tabText(0), "Browse");
    // The strip shows its first tab at once, but no page is current before the initial update.
    EXPECT_EQ(view.GetCurrentPage(), nullptr);
    EXPECT_TRUE(view.browse.isHidden());

    view.OnInitialUpdate();
    EXPECT_EQ(view.GetCurrentPage(), &view.browse);
    EXPECT_TRUE(view.browse.isVisible());
    EXPECT_EQ(view.updates, std::vector<int>{0});
    view.SelectTab(0);
    view.SelectTab(2);
    EXPECT_EQ(browseEvents.shows, 1);
    EXPECT_EQ(browseEvents.hides, 0);

    // From code the page changes but the strip stays; selecting in the strip moves both.
    view.SelectTab(1);
    EXPECT_TRUE(view.search.isVisible());
    EXPECT_TRUE(view.browse.isHidden());
    EXPECT_EQ(view.GetTabCtrl().currentIndex(), 0);
    view.GetTabCtrl().setCurrentIndex(1);
    view.GetTabCtrl().setCurrentIndex(0);
    EXPECT_EQ(view.GetCurrentPage(), &view.browse);

    CTabWndCtrl& strip = view.GetTabCtrl();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.tabRect(1).center());
    EXPECT_EQ(view.GetCurrentPage(), &view.search);
    EXPECT_TRUE(view.browse.isHidden());
    EXPECT_EQ(browseEvents.shows, 2);
    EXPECT_EQ(browseEvents.hides, 2);
}

TEST(TabView, AllPagesShareOneRectangleInsideTheMargins) {
    CTwoPageView view;
    view.OnInitialUpdate();
    view.resize(500, 420);
    int stripHeight = view.GetTabCtrl().height();
    EXPECT_EQ(view.GetTabCtrl().geometry(), QRect(6, 6, 488, stripHeight));
    QRect expected(16, 16 + stripHeight, 500 - 12 - 20, 420 - 12 - 20 - stripHeight);
    EXPECT_EQ(view.browse.geometry(), expected);
    EXPECT_EQ(view.search.geometry(), expected);

    // The main view's settings: pages 5 pixels in, the strip against the edges.
    view.SetPageMargins(QMargins(5, 5, 5, 5));
    view.SetInset(QMargins(0, 0, 0, 0));
    EXPECT_EQ(view.GetTabCtrl().geometry(), QRect(0, 0, 500, stripHeight));
    EXPECT_EQ(view.search.geometry(), QRect(5, stripHeight + 5, 490, 410 - stripHeight));

    view.resize(8, 8);
    EXPECT_EQ(view.search.size(), QSize(0, 0));
}

TEST(TabView, PagesOutliveTheView) {
    QWidget page;
    auto view = std::make_unique<CTabView>();
    view->AddTab(&page, "Only");
    view.reset();
    EXPECT_EQ(page.parentWidget(), nullptr);
}

// Pictures to look at: TAMBLOR_SCREENSHOTS=folder writes them there.
TEST(TabView, Screenshot) {
    QString folder = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CTwoPageView view;
    view.browse.setAlignment(Qt::AlignCenter);
    view.OnInitialUpdate();
    EXPECT_TRUE(view.grab().save(folder + "/tab_view.png"));
    view.SetPageMargins(QMargins(5, 5, 5, 5));
    view.SetInset(QMargins(0, 0, 0, 0));
    view.GetTabCtrl().setCurrentIndex(1);
    EXPECT_TRUE(view.grab().save(folder + "/tab_view_main.png"));
}
