// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/column_painter.h"

#include <QApplication>
#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "helpers/date_format.h"
#include "platform/ui/display_text.h"
#include "toolkit/table_column.h"

namespace {

void DrawText(QPainter& painter, unsigned format, const QRect& rect, const QString& text) {
    if (rect.width() <= 0 || text.isEmpty()) {
        return;
    }
    int flags = Qt::AlignLeft;
    flags |= (format & CTableColumn::verticalCenter) != 0 ? Qt::AlignVCenter : Qt::AlignTop;
    if ((format & CTableColumn::singleLine) != 0) {
        flags |= Qt::TextSingleLine;
    }
    QString shown = text;
    if ((format & CTableColumn::endEllipsis) != 0) {
        shown = QFontMetrics(painter.font())
                    .elidedText(text, Qt::ElideRight, rect.width(), flags & Qt::TextSingleLine);
    }
    painter.drawText(rect, flags, shown);
}

}  // namespace

void DrawHeader(QPainter& painter, const CTableColumn& column, const QRect& rect) {
    DrawText(painter,
             CTableColumn::singleLine | CTableColumn::verticalCenter | CTableColumn::endEllipsis,
             rect.adjusted(4, 1, -4, -1), DisplayText(column.title));
}

void DrawString(QPainter& painter, const CTableColumn& column, const QRect& rect,
                const QString& text) {
    DrawText(painter, column.format, rect.adjusted(2, 1, -2, -1), text);
}

void DrawString(QPainter& painter, const CTableColumn& column, const QRect& rect,
                const std::string& text) {
    DrawString(painter, column, rect, DisplayText(text));
}

void DrawTime(QPainter& painter, const CTableColumn& column, const QRect& rect, Time64 time) {
    DrawString(painter, column, rect, QString::fromLatin1(TimeText(time)));
}

void DrawDouble(QPainter& painter, const CTableColumn& column, const QRect& rect, double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%0.2f", value);
    DrawString(painter, column, rect, QString::fromLatin1(text));
}

void DrawInt(QPainter& painter, const CTableColumn& column, const QRect& rect, int value) {
    DrawString(painter, column, rect, QString::number(value));
}

void DrawCheck(QPainter& painter, const QRect& rect, int checked, const QWidget* widget) {
    QStyleOptionButton option;
    if (widget != nullptr) {
        option.initFrom(widget);
    }
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The style's own size, as its check boxes in dialogs have, but never taller than the row.
    const int side =
        std::min(style->pixelMetric(QStyle::PM_IndicatorHeight, &option, widget), rect.height());
    const int margin = (rect.height() - side) / 2;
    option.rect = QRect(rect.left() + margin, rect.top() + margin, side, side);
    option.state |= QStyle::State_Enabled;
    option.state |= (checked & 0xFF) != 0 ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
}

void DrawColor(QPainter& painter, const QRect& rect, const QColor& colour) {
    QRect block = rect.adjusted(3, 3, -4, -4);
    if (block.isValid()) {
        painter.fillRect(block, colour);
    }
}

std::string TimeText(Time64 time) {
    // The tables have always shown times this way, whatever the user's locale.
    return FormatShortTime(time, "%m/%d/%y %H:%M:%S");
}
