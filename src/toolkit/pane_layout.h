// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of a pane splitter: a fixed number of panes along one axis, separated by bars,
// each holding a share of the space left after the bars in units of 1/32768. It lays the panes
// out for a given length, keeps every pane at its minimum size where the space allows, and
// turns a dragged bar back into shares. The widget around it only translates.
#pragma once

#include <string>
#include <vector>

class CPaneLayout {
public:
    // The sum of the shares of a splitter whose panes fill it.
    static constexpr int whole = 32768;

    // Starts with equal shares; the last pane takes what rounding leaves over.
    CPaneLayout(int paneCount, int minSize, int barWidth);

    int GetPaneCount() const { return static_cast<int>(proportions.size()); }
    int GetMinSize() const { return minSize; }
    int GetBarWidth() const { return barWidth; }
    const std::vector<int>& GetProportions() const { return proportions; }
    // N + 1 values: where pane i starts; pane i ends a bar width before position i + 1. All 0
    // until the first Layout.
    const std::vector<int>& GetPositions() const { return positions; }
    // The length given to the last Layout less the bars: the space the shares divide.
    int GetSpace() const { return space; }
    // The pixel size of pane i as placed by the last Layout or MoveBar (never below 0).
    int GetPaneSize(int index) const;

    // Divides the whole in the ratio of `values`, rounded to nearest. Returns false and changes
    // nothing unless there is exactly one positive value per pane. Does not lay out.
    bool SetProportions(const std::vector<int>& values);
    // Takes `values` as the shares themselves, as a stored list gives them. Returns false and
    // changes nothing unless there is exactly one value per pane, each from 1 to `whole`.
    bool SetStoredProportions(const std::vector<int>& values);

    // Places the panes along `length` pixels, first enlarging the shares of panes that would
    // fall below the minimum size at the cost of the others.
    void Layout(int length);

    // The bar a press at `coordinate` takes hold of: the first bar (1 .. N - 1) whose position
    // is not less than the coordinate, or 0 when there is none.
    int BarAt(int coordinate) const;
    // Where bar `bar` may go when dragged towards `position`: far enough from both neighbours
    // to leave them the minimum size, and when both cannot be had, the upper limit.
    int ClampBarPosition(int bar, int position) const;
    // Puts bar `bar` at `position`, clamped as above, and recomputes the shares of the two
    // panes beside it; the other shares stay as they were. Nothing moves while there is no
    // space.
    void MoveBar(int bar, int position);

    // "27307,5461": the shares printed in pane order, without spaces.
    std::string FormatPaneSizes() const;
    // The numbers of such a text, read as the leading integer of each piece between commas
    // (empty pieces are skipped, a piece without digits is 0).
    static std::vector<int> ParsePaneSizes(const std::string& text);

private:
    int PixelSize(int index) const;

    int minSize;
    int barWidth;
    std::vector<int> proportions;
    std::vector<int> positions;
    int space = 0;
};
