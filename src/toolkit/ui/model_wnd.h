// SPDX-License-Identifier: GPL-3.0-or-later
// A window that shows a table model and paints all of its content itself. Qt buffers the
// painting, so each paint draws straight into the window's back buffer, whose background is
// never erased first.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>

class CTableModel;
class QPainter;

class CModelWnd : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CModelWnd(QWidget* parent = nullptr);

    // The model is not owned: the subclass that builds it deletes it.
    virtual void SetModel(CTableModel* newModel);
    CTableModel* GetModel() const { return model; }
    // The model's data changed; redraws everything by default.
    virtual void OnModelChanged(int hint);

protected:
    // Draws the content that falls in `area` (viewport pixels); the painter is clipped to the
    // region being painted, which holds the background colour already. Nothing by default.
    virtual void Draw(QPainter& painter, const QRect& area);
    // The palette changed: the background is read again before this is called.
    virtual void OnSysColorChange();

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    CTableModel* model = nullptr;
    // Shown wherever there is no cell: the background of the desktop's lists, so an empty
    // table reads as an empty list.
    QColor background;
};
