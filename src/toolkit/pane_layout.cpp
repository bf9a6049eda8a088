// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/pane_layout.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/ascii_text.h"

namespace {

constexpr std::int64_t whole64 = CPaneLayout::whole;

// The leading decimal integer of `piece` after blanks, as atoi reads it, but saturating
// instead of overflowing.
int LeadingInteger(const std::string& piece) {
    return static_cast<int>(
        std::clamp<std::int64_t>(ReadLeadingInteger(piece, " \t").Saturated(), INT_MIN, INT_MAX));
}

}  // namespace

CPaneLayout::CPaneLayout(int paneCount, int minSize, int barWidth)
    : minSize(minSize),
      barWidth(barWidth),
      proportions(static_cast<std::size_t>(std::max(paneCount, 1))),
      positions(proportions.size() + 1) {
    const int count = GetPaneCount();
    int given = 0;
    for (int i = 0; i + 1 < count; ++i) {
        proportions[i] = (count / 2 + whole) / count;
        given += proportions[i];
    }
    proportions.back() = whole - given;
}

int CPaneLayout::GetPaneSize(int index) const {
    if (index < 0 || index >= GetPaneCount()) {
        return 0;
    }
    return std::max(positions[index + 1] - barWidth - positions[index], 0);
}

bool CPaneLayout::SetProportions(const std::vector<int>& values) {
    if (static_cast<int>(values.size()) != GetPaneCount()) {
        return false;
    }
    std::int64_t sum = 0;
    for (int value : values) {
        if (value <= 0) {
            return false;
        }
        sum += value;
    }
    if (sum <= 0) {
        return false;
    }
    int given = 0;
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        proportions[i] = static_cast<int>((sum / 2 + values[i] * whole64) / sum);
        given += proportions[i];
    }
    proportions.back() = whole - given;
    return true;
}

bool CPaneLayout::SetStoredProportions(const std::vector<int>& values) {
    if (static_cast<int>(values.size()) != GetPaneCount() ||
        std::any_of(values.begin(), values.end(),
                    [](int value) { return value <= 0 || value > whole; })) {
        return false;
    }
    proportions = values;
    return true;
}

int CPaneLayout::PixelSize(int index) const {
    return static_cast<int>((proportions[index] * static_cast<std::int64_t>(space) + whole / 2) /
                            whole64);
}

void CPaneLayout::Layout(int length) {
    const int count = GetPaneCount();
    space = length - (count - 1) * barWidth;
    const std::int64_t p = space;

    // Every pass brings at least one more pane to exactly its minimum, so N + 1 passes suffice;
    // the bound only matters where rounding at huge lengths could keep a pane a pixel short.
    for (int pass = 0; pass <= count; ++pass) {
        std::int64_t unclaimed = whole64;
        std::int64_t aboveMinimum = whole64;
        bool enlarged = false;
        for (int i = 0; i < count; ++i) {
            const int size = PixelSize(i);
            if (size > minSize) {
                continue;
            }
            aboveMinimum -= proportions[i];
            if (size < minSize) {
                proportions[i] =
                    p < minSize ? whole : static_cast<int>((minSize * whole64 + p / 2) / p);
                enlarged = true;
            }
            unclaimed -= proportions[i];
        }
        if (unclaimed <= 0) {
            // The minima do not fit: as many panes as possible get theirs, in order.
            const std::int64_t share = p > 0 ? (p / 2 + minSize * whole64) / p : 0;
            std::int64_t left = whole64;
            for (int& proportion : proportions) {
                proportion = static_cast<int>(std::min(share, left));
                left -= proportion;
            }
            break;
        }
        if (unclaimed == whole64) {
            break;
        }
        // Stored shares need not sum to the whole, so the rest may hold nothing to rescale.
        if (aboveMinimum > 0) {
            for (int i = 0; i < count; ++i) {
                if (PixelSize(i) != minSize) {
                    proportions[i] = static_cast<int>(
                        (proportions[i] * unclaimed + aboveMinimum / 2) / aboveMinimum);
                }
            }
        }
        if (!enlarged) {
            break;
        }
    }

    positions[0] = 0;
    for (int i = 0; i + 1 < count; ++i) {
        positions[i + 1] = positions[i] + PixelSize(i) + barWidth;
    }
    positions[count] = space + count * barWidth;
}

int CPaneLayout::BarAt(int coordinate) const {
    for (int bar = 1; bar < GetPaneCount(); ++bar) {
        if (positions[bar] >= coordinate) {
            return bar;
        }
    }
    return 0;
}

int CPaneLayout::ClampBarPosition(int bar, int position) const {
    if (bar < 1 || bar >= GetPaneCount()) {
        return position;
    }
    const int lower = positions[bar - 1] + minSize + barWidth;
    const int upper = positions[bar + 1] - minSize - barWidth;
    return std::min(std::max(position, lower), upper);
}

void CPaneLayout::MoveBar(int bar, int position) {
    if (bar < 1 || bar >= GetPaneCount() || space <= 0) {
        return;
    }
    positions[bar] = ClampBarPosition(bar, position);
    auto shareOf = [this](int pixels) {
        return static_cast<int>((pixels * whole64 + space / 2) / space);
    };
    proportions[bar - 1] = shareOf(positions[bar] - positions[bar - 1] - barWidth);
    proportions[bar] = shareOf(positions[bar + 1] - positions[bar] - barWidth);
}

std::string CPaneLayout::FormatPaneSizes() const {
    std::string text;
    for (int proportion : proportions) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(proportion);
    }
    return text;
}

std::vector<int> CPaneLayout::ParsePaneSizes(const std::string& text) {
    std::vector<int> values;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            values.push_back(LeadingInteger(text.substr(start, end - start)));
        }
        start = end + 1;
    }
    return values;
}
