#include "shell/pane_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Values = std::vector<int>;

// The pixel sizes of all panes after the last layout.
Values PaneSizes(const CPaneLayout& layout) {
    Values sizes;
    for (int i = 0; i < layout.GetPaneCount(); ++i) {
        sizes.push_back(layout.GetPaneSize(i));
    }
    return sizes;
}

}  // namespace

TEST(PaneLayout, StartsEqualAndSplitsValuesAsTheBrowsePanelGivesThem) {
    EXPECT_EQ(CPaneLayout(2, 30, 3).GetProportions(), (Values{16384, 16384}));
    EXPECT_EQ(CPaneLayout(3, 30, 3).GetProportions(), (Values{10923, 10923, 10922}));

    CPaneLayout stacked(2, 30, 3);
    ASSERT_TRUE(stacked.SetProportions({500, 100}));
    EXPECT_EQ(stacked.GetProportions(), (Values{27307, 5461}));
    stacked.Layout(603);
    EXPECT_EQ(stacked.GetPositions(), (Values{0, 503, 606}));
    EXPECT_EQ(PaneSizes(stacked), (Values{500, 100}));

    CPaneLayout sideBySide(2, 30, 3);
    ASSERT_TRUE(sideBySide.SetProportions({300, 300}));
    EXPECT_EQ(sideBySide.GetProportions(), (Values{16384, 16384}));
    // The first pane rounds to nearest; the last takes what is left.
    sideBySide.Layout(304);
    EXPECT_EQ(PaneSizes(sideBySide), (Values{151, 150}));
}

TEST(PaneLayout, ListsThatDoNotFitThePanesChangeNothing) {
    CPaneLayout layout(2, 30, 3);
    ASSERT_TRUE(layout.SetProportions({500, 100}));
    const Values before = layout.GetProportions();
    EXPECT_FALSE(layout.SetProportions({600}));
    EXPECT_FALSE(layout.SetProportions({1, 2, 3}));
    EXPECT_FALSE(layout.SetProportions({0, 0}));
    EXPECT_FALSE(layout.SetProportions({-100, 700}));
    EXPECT_FALSE(layout.SetStoredProportions({}));
    EXPECT_FALSE(layout.SetStoredProportions({32768, 0}));
    EXPECT_FALSE(layout.SetStoredProportions({40000, 100}));
    EXPECT_EQ(layout.GetProportions(), before);
}

TEST(PaneLayout, PaneSizesTextRoundTripsAndStoredValuesStayAsWritten) {
    CPaneLayout layout(2, 30, 3);
    ASSERT_TRUE(layout.SetProportions({500, 100}));
    const std::string text = layout.FormatPaneSizes();
    EXPECT_EQ(text, "27307,5461");

    CPaneLayout restored(2, 30, 3);
    ASSERT_TRUE(restored.SetStoredProportions(CPaneLayout::ParsePaneSizes(text)));
    EXPECT_EQ(restored.GetProportions(), layout.GetProportions());

    // Hand-edited lists: pieces are read like numbers in the profile, empty ones skipped, and
    // nothing is scaled to the whole.
    EXPECT_EQ(CPaneLayout::ParsePaneSizes(" 100x,,200,"), (Values{100, 200}));
    EXPECT_EQ(CPaneLayout::ParsePaneSizes("abc"), (Values{0}));
    EXPECT_EQ(CPaneLayout::ParsePaneSizes(""), Values{});
    EXPECT_EQ(CPaneLayout::ParsePaneSizes("99999999999999,-99999999999999"),
              (Values{2147483647, -2147483647 - 1}));
    ASSERT_TRUE(restored.SetStoredProportions(CPaneLayout::ParsePaneSizes("100,200")));
    EXPECT_EQ(restored.FormatPaneSizes(), "100,200");
}

TEST(PaneLayout, PanesBelowTheMinimumAreEnlargedAtTheCostOfTheOthers) {
    // 500 to 100 over 120 pixels would leave the lower pane 20: it gets 30, the upper the rest,
    // and the shares stay so when the splitter grows again.
    CPaneLayout stacked(2, 30, 3);
    ASSERT_TRUE(stacked.SetProportions({500, 100}));
    stacked.Layout(123);
    EXPECT_EQ(stacked.GetProportions(), (Values{24576, 8192}));
    EXPECT_EQ(PaneSizes(stacked), (Values{90, 30}));
    stacked.Layout(603);
    EXPECT_EQ(PaneSizes(stacked), (Values{450, 150}));

    // Two panes of at least 30 and a bar do not fit in 50 pixels: the first keeps 30, the last
    // gets what is left.
    CPaneLayout sideBySide(2, 30, 3);
    sideBySide.Layout(50);
    EXPECT_EQ(sideBySide.GetProportions(), (Values{20916, 11852}));
    EXPECT_EQ(PaneSizes(sideBySide), (Values{30, 17}));

    // Less room than one minimum: everything goes to the first pane.
    CPaneLayout three(3, 30, 3);
    three.Layout(26);
    EXPECT_EQ(three.GetProportions(), (Values{32768, 0, 0}));
    EXPECT_EQ(PaneSizes(three), (Values{20, 0, 0}));
}

TEST(PaneLayout, NoSpaceForPanesLeavesEverythingAtZeroAndDragsDoNothing) {
    for (int length : {3, 0}) {
        CPaneLayout layout(2, 30, 3);
        layout.Layout(length);
        EXPECT_EQ(layout.GetProportions(), (Values{0, 0})) << length;
        EXPECT_EQ(PaneSizes(layout), (Values{0, 0})) << length;
        layout.MoveBar(1, 1);
        EXPECT_EQ(layout.GetProportions(), (Values{0, 0})) << length;
    }
    // A splitter with no minimum and no room still divides nothing by zero.
    CPaneLayout unbounded(2, 0, 3);
    unbounded.Layout(3);
    EXPECT_EQ(PaneSizes(unbounded), (Values{0, 0}));
}

TEST(PaneLayout, DraggedBarStopsAtItsNeighboursAndOnlyItsPanesChange) {
    CPaneLayout two(2, 30, 3);
    two.Layout(303);
    ASSERT_EQ(two.GetPositions(), (Values{0, 153, 306}));
    // The bar covers 150..152; the press finds it there, and none past it.
    EXPECT_EQ(two.BarAt(150), 1);
    EXPECT_EQ(two.BarAt(152), 1);
    EXPECT_EQ(two.BarAt(154), 0);
    // 30 pixels plus the bar from the edges.
    EXPECT_EQ(two.ClampBarPosition(1, 400), 273);
    EXPECT_EQ(two.ClampBarPosition(1, -10), 33);
    EXPECT_EQ(two.ClampBarPosition(1, 200), 200);
    two.MoveBar(1, 400);
    EXPECT_EQ(two.GetPositions(), (Values{0, 273, 306}));
    EXPECT_EQ(PaneSizes(two), (Values{270, 30}));
    EXPECT_EQ(two.GetProportions(), (Values{29491, 3277}));

    CPaneLayout three(3, 30, 3);
    three.Layout(303);
    ASSERT_EQ(three.GetPositions(), (Values{0, 102, 204, 306}));
    three.MoveBar(1, 150);
    EXPECT_EQ(PaneSizes(three), (Values{147, 51, 99}));
    EXPECT_EQ(three.GetProportions(), (Values{16219, 5627, 10922}));
    // The middle pane cannot be dragged below 30 from either side.
    EXPECT_EQ(three.ClampBarPosition(2, 160), 183);
    EXPECT_EQ(three.ClampBarPosition(1, 200), 171);

    // Where the minima do not fit, the bar cannot satisfy both neighbours: the upper limit
    // wins.
    CPaneLayout squeezed(3, 30, 3);
    squeezed.Layout(80);
    ASSERT_EQ(squeezed.GetPositions(), (Values{0, 33, 66, 83}));
    EXPECT_EQ(squeezed.ClampBarPosition(2, 70), 50);
    EXPECT_EQ(squeezed.ClampBarPosition(2, 10), 50);
}
