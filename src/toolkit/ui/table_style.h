// SPDX-License-Identifier: GPL-3.0-or-later
// The look of a table window: its fonts, its colours and the heights measured from the fonts.
// Colours follow the window's palette, fonts the desktop's menu font.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

class QPalette;

class CTableStyle {
public:
    // The desktop's menu font and the application palette's colours.
    CTableStyle();

    // Replaces both fonts (the header one is the same in bold); the heights are measured
    // again at the next drawing.
    void SetFont(const QFont& newFont);
    // Reads every colour from `palette`, so a dark desktop gets a dark table.
    void ReadColours(const QPalette& palette);
    // Measures the heights that are not measured yet.
    void Measure();
    // How wide a column starts until the user sizes it: room for `title` in the header and for
    // `sample` after `lead` pixels (an icon) in a cell, with their insets and a character to
    // spare. Measured in the fonts, so a larger font gets wider columns.
    int GetStartWidth(const std::string& title, const QString& sample, int lead = 0) const;

    // -1 until measured: the fonts' height plus their leading, and the text's insets.
    int headerHeight = -1;
    int rowHeight = -1;
    bool verticalGrid = true;
    bool horizontalGrid = true;
    QFont font;
    QFont boldFont;
    QColor windowColour;
    QColor windowTextColour;
    QColor highlightColour;
    QColor highlightTextColour;
    // A quarter of the way from the rows' background to their text.
    QColor horizontalGridColour;
    QColor verticalGridColour;
    QColor headerColour;
    QColor headerTextColour;
    // The header cells' raised edges: lit at top and left, shadowed at right and bottom.
    QColor headerLightColour;
    QColor headerShadowColour;
};
