// SPDX-License-Identifier: GPL-3.0-or-later
// A widget that divides its area among a fixed number of pane widgets along one axis, side by
// side or stacked, with bars between them that the user drags. The shares and all the
// arithmetic are CPaneLayout's; the profile keeps them as a list of numbers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "toolkit/pane_layout.h"

class QRubberBand;

class CPaneSplitter : public QWidget {
    Q_OBJECT

public:
    // The orientation that puts the panes side by side; any other value stacks them.
    static constexpr int sideBySide = 1;

    CPaneSplitter(int paneCount, int orientation, int minSize, int barWidth,
                  QWidget* parent = nullptr);

    // Puts `pane` into slot `index`. A pane that is not yet a child of the splitter becomes one
    // and is shown with it, so Qt's parent rules decide its lifetime; a pane deleted elsewhere
    // leaves its slot empty.
    void SetPane(int index, QWidget* pane);
    QWidget* GetPane(int index) const;
    bool IsSideBySide() const { return orientation == sideBySide; }

    // Shares the space in the ratio of `values` (one positive value per pane, else ignored)
    // and lays the panes out again.
    void SetProportions(const std::vector<int>& values);
    const CPaneLayout& GetPaneLayout() const { return paneLayout; }
    // Write or read the shares as "key=27307,5461" in the installed profile; without one they
    // do nothing. A missing key or a list that does not fit the panes keeps the current shares.
    void Save(const std::string& section, const std::string& key) const;
    void Load(const std::string& section, const std::string& key);
    void SetFocus(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RecalcLayout();
    void MovePanes();
    // The coordinate along the axis of a point in the splitter.
    int Along(QPointF point) const;
    // The rectangle of `length` pixels from `start` along the axis, across the whole splitter.
    QRect Strip(int start, int length) const;
    bool BeginDrag(QPointF point);
    void TrackTo(QPointF point);
    void EndDrag();

    CPaneLayout paneLayout;
    int orientation;
    std::vector<QPointer<QWidget>> panes;
    // Children of the splitter that sit over the bars to give them their cursor and take the
    // presses; Qt deletes them with it.
    std::vector<QWidget*> bars;
    QRubberBand* tracker;
    // Shares are only laid out against a size the splitter has really been given, so that the
    // interim sizes of a widget under construction cannot squeeze them.
    bool sized = false;
    // The bar being dragged (0: none), where its tracker stands and where on the bar it was
    // taken hold of.
    int dragBar = 0;
    int trackerPosition = 0;
    int grabOffset = 0;
};
