// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/pane_splitter.h"

#include <gtest/gtest.h>

#include <QRubberBand>
#include <QTest>
#include <ostream>
#include <vector>

#include "platform/ini_file.h"
#include "platform/profile.h"
#include "support/temp_folder.h"

void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << ", "
         << rect.height() << ")";
}

namespace {

using Values = std::vector<int>;
constexpr int stacked = 0;

struct CSplitterWithPanes {
    explicit CSplitterWithPanes(int orientation, QWidget* parent = nullptr)
        : splitter(2, orientation, 30, 3, parent) {
        splitter.SetPane(0, new QWidget(&splitter));
        splitter.SetPane(1, new QWidget(&splitter));
    }
    QRect Pane(int index) const { return splitter.GetPane(index)->geometry(); }

    CPaneSplitter splitter;
};

// Drags with the left button between two points of the splitter, as a user does: the press
// lands on whatever child is there, which then gets every move.
void Drag(CPaneSplitter& splitter, QPoint from, QPoint to) {
    QWidget* target = splitter.childAt(from);
    ASSERT_NE(target, nullptr);
    const QPoint offset = target->mapTo(&splitter, QPoint(0, 0));
    QTest::mousePress(target, Qt::LeftButton, {}, from - offset);
    QTest::mouseMove(target, to - offset);
    QTest::mouseRelease(target, Qt::LeftButton, {}, to - offset);
}

}  // namespace

TEST(PaneSplitter, DraggingTheBarMovesThePanesAndStopsAtTheNeighbour) {
    CSplitterWithPanes two(CPaneSplitter::sideBySide);
    two.splitter.resize(303, 200);
    two.splitter.show();
    EXPECT_EQ(two.Pane(0), QRect(0, 0, 150, 200));
    EXPECT_EQ(two.Pane(1), QRect(153, 0, 150, 200));

    // The bar has the resize cursor; the panes keep their own.
    QWidget* bar = two.splitter.childAt(151, 100);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(two.splitter.GetPane(0)->cursor().shape(), Qt::ArrowCursor);

    // While the button is down only the tracker moves; the panes follow on release.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(1, 100));
    QTest::mouseMove(bar, QPoint(51, 100));
    auto* tracker = two.splitter.findChild<QRubberBand*>();
    ASSERT_NE(tracker, nullptr);
    EXPECT_TRUE(tracker->isVisible());
    EXPECT_EQ(tracker->geometry(), QRect(200, 0, 3, 200));
    EXPECT_EQ(two.Pane(0).width(), 150);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(51, 100));
    EXPECT_FALSE(tracker->isVisible());
    EXPECT_EQ(two.Pane(0), QRect(0, 0, 200, 200));
    EXPECT_EQ(two.Pane(1), QRect(203, 0, 100, 200));

    // Past the right edge the bar stops 30 pixels plus its width short of it.
    Drag(two.splitter, QPoint(201, 100), QPoint(500, 100));
    EXPECT_EQ(two.Pane(0), QRect(0, 0, 270, 200));
    EXPECT_EQ(two.Pane(1), QRect(273, 0, 30, 200));
}

TEST(PaneSplitter, SharesSurviveTheProfileAndUnfitListsAreIgnored) {
    CTempFolder folder;
    CIniFile ini;
    ini.Load(folder.Path("Tamblor.ini"));
    CIniFile* previous = SetProfile(&ini);
    {
        CSplitterWithPanes before(stacked);
        before.splitter.resize(200, 303);
        before.splitter.show();
        Drag(before.splitter, QPoint(100, 151), QPoint(100, 101));
        before.splitter.Save("MainFrame", "VertPaneSizes");
        ini.Save();
    }
    CIniFile reread;
    reread.Load(folder.Path("Tamblor.ini"));
    EXPECT_EQ(reread.GetString("MainFrame", "VertPaneSizes"), "10923,21845");
    SetProfile(&reread);

    CSplitterWithPanes after(stacked);
    after.splitter.resize(200, 303);
    after.splitter.show();
    after.splitter.Load("MainFrame", "VertPaneSizes");
    EXPECT_EQ(after.Pane(0), QRect(0, 0, 200, 100));
    EXPECT_EQ(after.Pane(1), QRect(0, 103, 200, 200));

    // A missing key, a list of the wrong length, and no profile at all keep the shares.
    reread.SetString("MainFrame", "HorzPaneSizes", "1,2,3");
    after.splitter.Load("MainFrame", "HorzPaneSizes");
    after.splitter.Load("MainFrame", "NoSuchKey");
    SetProfile(nullptr);
    after.splitter.Load("MainFrame", "VertPaneSizes");
    EXPECT_EQ(after.Pane(0), QRect(0, 0, 200, 100));
    SetProfile(previous);
}

TEST(PaneSplitter, NestedSplittersOfTheBrowsePanelKeepTheirMinimaWhenSqueezed) {
    CPaneSplitter outer(2, stacked, 30, 3);
    outer.SetPane(0, new QWidget(&outer));
    CSplitterWithPanes lower(CPaneSplitter::sideBySide, &outer);
    outer.SetPane(1, &lower.splitter);
    // Given before the splitters have a real size, which must not squeeze them.
    outer.SetProportions({500, 100});
    lower.splitter.SetProportions({300, 300});
    outer.resize(400, 603);
    outer.show();
    EXPECT_EQ(outer.GetPane(0)->geometry(), QRect(0, 0, 400, 500));
    EXPECT_EQ(lower.splitter.geometry(), QRect(0, 503, 400, 100));
    EXPECT_EQ(lower.Pane(0), QRect(0, 0, 199, 100));
    EXPECT_EQ(lower.Pane(1), QRect(202, 0, 198, 100));
    EXPECT_EQ(outer.childAt(200, 501)->cursor().shape(), Qt::SplitVCursor);

    // Squeezed, the lower part keeps its 30 pixels, its own panes side by side in it.
    outer.resize(400, 100);
    EXPECT_EQ(outer.GetPane(0)->geometry(), QRect(0, 0, 400, 67));
    EXPECT_EQ(lower.splitter.geometry(), QRect(0, 70, 400, 30));
    EXPECT_EQ(lower.Pane(1), QRect(202, 0, 198, 30));

    // Dragged past the bottom edge, the bar stops 30 pixels above it.
    outer.resize(400, 603);
    Drag(outer, QPoint(200, 415), QPoint(200, 900));
    EXPECT_EQ(lower.splitter.geometry(), QRect(0, 573, 400, 30));
}
