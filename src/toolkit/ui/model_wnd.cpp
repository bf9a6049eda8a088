// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/model_wnd.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

CModelWnd::CModelWnd(QWidget* parent) : QAbstractScrollArea(parent) {
    // Every paint covers its whole region, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    background = palette().color(QPalette::Base);
}

void CModelWnd::SetModel(CTableModel* newModel) {
    model = newModel;
    OnModelChanged(0);
}

void CModelWnd::OnModelChanged(int /*hint*/) {
    viewport()->update();
}

void CModelWnd::Draw(QPainter& /*painter*/, const QRect& /*area*/) {}

void CModelWnd::OnSysColorChange() {
    viewport()->update();
}

void CModelWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), background);
    Draw(painter, event->rect());
}

void CModelWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        background = palette().color(QPalette::Base);
        OnSysColorChange();
    }
    QAbstractScrollArea::changeEvent(event);
}
