// SPDX-License-Identifier: GPL-3.0-or-later
// How a table column draws its header and the kinds of values its cells hold. Texts use the
// painter's font and pen; the cell rectangle is in the painter's logical pixels.
#pragma once

#include <QString>
#include <string>

#include "helpers/coll_types.h"

class CTableColumn;
class QColor;
class QPainter;
class QRect;
class QWidget;

// The column's title, inset 4 pixels left and right and 1 at top and bottom, on one line,
// vertically centred, cut with an ellipsis.
void DrawHeader(QPainter& painter, const CTableColumn& column, const QRect& rect);
// The text inset 2 pixels left and right and 1 at top and bottom, laid out by the column's
// format. "&" is shown as it is.
void DrawString(QPainter& painter, const CTableColumn& column, const QRect& rect,
                const QString& text);
// Core text: UTF-8, or Windows-1252 when it is not valid UTF-8.
void DrawString(QPainter& painter, const CTableColumn& column, const QRect& rect,
                const std::string& text);
void DrawTime(QPainter& painter, const CTableColumn& column, const QRect& rect, Time64 time);
void DrawDouble(QPainter& painter, const CTableColumn& column, const QRect& rect, double value);
void DrawInt(QPainter& painter, const CTableColumn& column, const QRect& rect, int value);
// A themed check box of the style's size centred vertically, as far from the left edge as
// from the top; ticked when the low byte of `checked` is not 0. `widget` gives the style, if any.
void DrawCheck(QPainter& painter, const QRect& rect, int checked, const QWidget* widget = nullptr);
// A block of `colour` filling the cell but for 3 pixels at left and top and 4 at right and
// bottom.
void DrawColor(QPainter& painter, const QRect& rect, const QColor& colour);

// Local time as "12/25/06 14:05:09" (month, day, two-digit year, 24-hour time); empty for a
// time that cannot be converted (before 1970).
std::string TimeText(Time64 time);
