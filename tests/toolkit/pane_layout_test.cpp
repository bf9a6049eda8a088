// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/pane_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Values = std::vector<int>;

Values PaneSizes(const CPaneLayout& layout) {
    Values sizes;
    for (int i = 0; i < layout.GetPaneCount(); ++i) {
        sizes.push_back(layout.GetPaneSize(i));
    }
    return sizes;
}

}  // namespace

TEST(PaneLayout, StartsEqualAndSplitsValuesAsTheBrowsePanelGivesThem) {
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

    // Lists that do not give one positive share per pane change nothing.
    for (const Values& unfit : {Values{600}, Values{1, 2, 3}, Values{0, 0}, Values{-100, 700}}) {
        EXPECT_FALSE(stacked.SetProportions(unfit));
        EXPECT_FALSE(stacked.SetStoredProportions(unfit));
    }
    EXPECT_FALSE(stacked.SetStoredProportions({40000, 100}));
    EXPECT_EQ(stacked.GetProportions(), (Values{27307, 5461}));
}

TEST(PaneLayout, PaneSizesTextRoundTripsAndStoredValuesStayAsWritten) {
    CPaneLayout layout(2, 30, 3);
    ASSERT_TRUE(layout.SetProportions({500, 100}));
    EXPECT_EQ(layout.FormatPaneSizes(), "27307,5461");
    CPaneLayout restored(2, 30, 3);
    ASSERT_TRUE(restored.SetStoredProportions(CPaneLayout::ParsePaneSizes("27307,5461")));
    EXPECT_EQ(restored.GetProportions(), layout.GetProportions());

    // Hand-edited lists: pieces read like numbers in the profile, empty ones skipped, huge
    // ones saturated, and nothing scaled to the whole.
    EXPECT_EQ(CPaneLayout::ParsePaneSizes(" 100x,,200,"), (Values{100, 200}));
    EXPECT_EQ(CPaneLayout::ParsePaneSizes("abc"), (Values{0}));
    EXPECT_EQ(CPaneLayout::ParsePaneSizes(""), Values{});
    EXPECT_EQ(CPaneLayout::ParsePaneSizes("99999999999999"), (Values{2147483647}));
    ASSERT_TRUE(restored.SetStoredProportions({100, 200}));
    EXPECT_EQ(restored.FormatPaneSizes(), "100,200");
}

TEST(PaneLayout, PanesBelowTheMinimumAreEnlargedAtTheCostOfTheOthers) {
    // 500 to 100 over 120 pixels would leave the lower pane 20: it gets 30 and keeps that share
    // when the splitter grows again.
    CPaneLayout stacked(2, 30, 3);
    ASSERT_TRUE(stacked.SetProportions({500, 100}));
    stacked.Layout(123);
    EXPECT_EQ(PaneSizes(stacked), (Values{90, 30}));
    EXPECT_EQ(stacked.GetProportions(), (Values{24576, 8192}));
    stacked.Layout(603);
    EXPECT_EQ(PaneSizes(stacked), (Values{450, 150}));

    // Two minima and a bar do not fit in 50: the first gets 30, the last what is left.
    CPaneLayout sideBySide(2, 30, 3);
    sideBySide.Layout(50);
    EXPECT_EQ(PaneSizes(sideBySide), (Values{30, 17}));
    CPaneLayout three(3, 30, 3);
    three.Layout(26);
    EXPECT_EQ(three.GetProportions(), (Values{32768, 0, 0}));

    // No space at all, with or without a minimum, divides nothing by zero and drags nothing.
    for (int minSize : {30, 0}) {
        CPaneLayout none(2, minSize, 3);
        none.Layout(3);
        none.MoveBar(1, 1);
        EXPECT_EQ(PaneSizes(none), (Values{0, 0}));
    }
}

TEST(PaneLayout, DraggedBarStopsAtItsNeighboursAndOnlyItsPanesChange) {
    CPaneLayout two(2, 30, 3);
    two.Layout(303);
    ASSERT_EQ(two.GetPositions(), (Values{0, 153, 306}));
    // The bar covers 150..152; a press finds it there and nothing past it.
    EXPECT_EQ(two.BarAt(150), 1);
    EXPECT_EQ(two.BarAt(154), 0);
    EXPECT_EQ(two.ClampBarPosition(1, -10), 33);
    two.MoveBar(1, 400);
    EXPECT_EQ(PaneSizes(two), (Values{270, 30}));
    EXPECT_EQ(two.GetProportions(), (Values{29491, 3277}));

    CPaneLayout three(3, 30, 3);
    three.Layout(303);
    three.MoveBar(1, 150);
    EXPECT_EQ(PaneSizes(three), (Values{147, 51, 99}));
    EXPECT_EQ(three.GetProportions(), (Values{16219, 5627, 10922}));

    // Where the minima do not fit, no place suits both neighbours: the upper limit wins.
    CPaneLayout squeezed(3, 30, 3);
    squeezed.Layout(80);
    ASSERT_EQ(squeezed.GetPositions(), (Values{0, 33, 66, 83}));
    EXPECT_EQ(squeezed.ClampBarPosition(2, 10), 50);
}
