// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/pane_splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>

#include "platform/ini_file.h"
#include "platform/profile.h"

CPaneSplitter::CPaneSplitter(int paneCount, int orientation, int minSize, int barWidth,
                             QWidget* parent)
    : QWidget(parent),
      paneLayout(paneCount, minSize, barWidth),
      orientation(orientation),
      panes(static_cast<std::size_t>(paneLayout.GetPaneCount())),
      tracker(new QRubberBand(QRubberBand::Line, this)) {
    const Qt::CursorShape shape = IsSideBySide() ? Qt::SplitHCursor : Qt::SplitVCursor;
    for (int i = 1; i < paneLayout.GetPaneCount(); ++i) {
        auto* bar = new QWidget(this);
        bar->setCursor(shape);
        bar->installEventFilter(this);
        bars.push_back(bar);
    }
}

void CPaneSplitter::SetPane(int index, QWidget* pane) {
    if (index < 0 || index >= paneLayout.GetPaneCount()) {
        return;
    }
    if (pane != nullptr && pane->parentWidget() != this) {
        pane->setParent(this);
        pane->show();
    }
    panes[index] = pane;
    MovePanes();
}

QWidget* CPaneSplitter::GetPane(int index) const {
    if (index < 0 || index >= paneLayout.GetPaneCount()) {
        return nullptr;
    }
    return panes[index];
}

void CPaneSplitter::SetProportions(const std::vector<int>& values) {
    if (paneLayout.SetProportions(values)) {
        RecalcLayout();
    }
}

void CPaneSplitter::Save(const std::string& section, const std::string& key) const {
    if (CIniFile* profile = GetProfile()) {
        profile->SetString(section, key, paneLayout.FormatPaneSizes());
    }
}

void CPaneSplitter::Load(const std::string& section, const std::string& key) {
    if (CIniFile* profile = GetProfile()) {
        paneLayout.SetStoredProportions(
            CPaneLayout::ParsePaneSizes(profile->GetString(section, key)));
    }
    RecalcLayout();
}

void CPaneSplitter::SetFocus(int index) {
    if (QWidget* pane = GetPane(index)) {
        pane->setFocus();
    }
}

void CPaneSplitter::RecalcLayout() {
    if (!sized) {
        return;
    }
    paneLayout.Layout(IsSideBySide() ? width() : height());
    MovePanes();
}

void CPaneSplitter::MovePanes() {
    if (!sized) {
        return;
    }
    const std::vector<int>& positions = paneLayout.GetPositions();
    for (int i = 0; i < paneLayout.GetPaneCount(); ++i) {
        if (QWidget* pane = panes[i]) {
            pane->setGeometry(Strip(positions[i], paneLayout.GetPaneSize(i)));
        }
    }
    const int barWidth = paneLayout.GetBarWidth();
    for (std::size_t i = 0; i < bars.size(); ++i) {
        bars[i]->setGeometry(Strip(positions[i + 1] - barWidth, barWidth));
    }
    update();
}

int CPaneSplitter::Along(QPointF point) const {
    return IsSideBySide() ? point.toPoint().x() : point.toPoint().y();
}

QRect CPaneSplitter::Strip(int start, int length) const {
    length = std::max(length, 0);
    return IsSideBySide() ? QRect(start, 0, length, height()) : QRect(0, start, width(), length);
}

bool CPaneSplitter::BeginDrag(QPointF point) {
    const int coordinate = Along(point);
    dragBar = paneLayout.BarAt(coordinate);
    if (dragBar == 0) {
        return false;
    }
    trackerPosition = paneLayout.GetPositions()[dragBar];
    grabOffset = coordinate - trackerPosition;
    tracker->setGeometry(
        Strip(trackerPosition - paneLayout.GetBarWidth(), paneLayout.GetBarWidth()));
    tracker->raise();
    tracker->show();
    return true;
}

void CPaneSplitter::TrackTo(QPointF point) {
    trackerPosition = paneLayout.ClampBarPosition(dragBar, Along(point) - grabOffset);
    tracker->setGeometry(
        Strip(trackerPosition - paneLayout.GetBarWidth(), paneLayout.GetBarWidth()));
}

void CPaneSplitter::EndDrag() {
    tracker->hide();
    paneLayout.MoveBar(dragBar, trackerPosition);
    dragBar = 0;
    MovePanes();
}

bool CPaneSplitter::eventFilter(QObject* watched, QEvent* event) {
    auto* bar = qobject_cast<QWidget*>(watched);
    if (bar == nullptr || std::find(bars.begin(), bars.end(), bar) == bars.end()) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            // A bar's presses are the splitter's: the drag works in the splitter's coordinates.
            auto* mouse = static_cast<QMouseEvent*>(event);
            QMouseEvent mapped(mouse->type(), bar->mapTo(this, mouse->position()),
                               mouse->globalPosition(), mouse->button(), mouse->buttons(),
                               mouse->modifiers(), mouse->pointingDevice());
            if (event->type() == QEvent::MouseButtonPress) {
                mousePressEvent(&mapped);
            } else if (event->type() == QEvent::MouseMove) {
                mouseMoveEvent(&mapped);
            } else {
                mouseReleaseEvent(&mapped);
            }
            event->setAccepted(mapped.isAccepted());
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void CPaneSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragBar == 0 && BeginDrag(event->position())) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CPaneSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (dragBar != 0) {
        TrackTo(event->position());
    }
}

void CPaneSplitter::mouseReleaseEvent(QMouseEvent* event) {
    // The bar goes where the tracker was last drawn.
    if (event->button() == Qt::LeftButton && dragBar != 0) {
        EndDrag();
    }
}

void CPaneSplitter::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const std::vector<int>& positions = paneLayout.GetPositions();
    const int barWidth = paneLayout.GetBarWidth();
    for (int i = 1; i < paneLayout.GetPaneCount(); ++i) {
        painter.fillRect(Strip(positions[i] - barWidth, barWidth), palette().button());
    }
}

void CPaneSplitter::resizeEvent(QResizeEvent* /*event*/) {
    sized = true;
    RecalcLayout();
}
