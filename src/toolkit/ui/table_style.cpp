// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/table_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <algorithm>

#include "platform/ui/display_text.h"

namespace {

// Text in a header or cell is inset a pixel at top and bottom, and the last pixel of a line
// holds the grid or the header's border: without those two pixels the grid would cover the
// descenders of fonts that ink their whole height, as most Linux fonts do.
constexpr int textInsets = 2;
// A header's title keeps 4 pixels clear at either side, a cell's text 2; the column's last
// pixel holds the grid line.
constexpr int headerSideInsets = 8;
constexpr int cellSideInsets = 4;
constexpr int gridWidth = 1;

int LineHeight(const QFont& font) {
    QFontMetrics metrics(font);
    return metrics.height() + std::max(metrics.leading(), 0) + textInsets;
}

// The colour 1/`parts` of the way from `from` to `to`.
QColor Mix(const QColor& from, const QColor& to, int parts) {
    auto channel = [parts](int a, int b) { return a + (b - a) / parts; };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

}  // namespace

CTableStyle::CTableStyle() {
    SetFont(QApplication::font("QMenu"));
    ReadColours(QApplication::palette());
}

void CTableStyle::SetFont(const QFont& newFont) {
    font = newFont;
    boldFont = newFont;
    boldFont.setWeight(QFont::Bold);
    headerHeight = -1;
    rowHeight = -1;
}

void CTableStyle::ReadColours(const QPalette& palette) {
    windowColour = palette.color(QPalette::Base);
    windowTextColour = palette.color(QPalette::Text);
    highlightColour = palette.color(QPalette::Highlight);
    highlightTextColour = palette.color(QPalette::HighlightedText);
    headerColour = palette.color(QPalette::Button);
    headerTextColour = palette.color(QPalette::ButtonText);
    headerLightColour = palette.color(QPalette::Light);
    headerShadowColour = palette.color(QPalette::Shadow);
    // On white with black text this is the light grey lists have always had; on a dark palette
    // it stays as faint, where a fixed grey would glare.
    horizontalGridColour = Mix(windowColour, windowTextColour, 4);
    verticalGridColour = horizontalGridColour;
}

void CTableStyle::Measure() {
    if (headerHeight < 0) {
        headerHeight = LineHeight(boldFont);
    }
    if (rowHeight < 0) {
        rowHeight = LineHeight(font);
    }
}

int CTableStyle::GetStartWidth(const std::string& title, const QString& sample, int lead) const {
    const QFontMetrics header(boldFont);
    const QFontMetrics cell(font);
    const int titleWidth = header.horizontalAdvance(DisplayText(title)) + headerSideInsets;
    const int cellWidth = lead + cell.horizontalAdvance(sample) + cellSideInsets;
    return std::max(titleWidth, cellWidth) + gridWidth + cell.averageCharWidth();
}
