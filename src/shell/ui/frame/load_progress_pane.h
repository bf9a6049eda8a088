// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's part that shows a collection being read: how many of its disks, a bar, and
// a Cancel button (Escape does the same). Hidden while nothing loads.
#pragma once

#include <QWidget>

#include "shell/coll_doc.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;

class CLoadProgressPane : public QWidget {
    Q_OBJECT

public:
    // `window` is where Escape cancels the load.
    explicit CLoadProgressPane(QWidget* window, QWidget* parent = nullptr);

    void ShowProgress(const CLoadProgress& progress);

signals:
    void CancelRequested();

private:
    QLabel* text;
    QProgressBar* bar;
    QPushButton* cancel;
    QShortcut* escape;
};
