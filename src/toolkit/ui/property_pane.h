// SPDX-License-Identifier: GPL-3.0-or-later
// One page of a CPropertyDlg: a panel of controls under its own tab. The dialog applies every
// pane when OK is pressed.
#pragma once

#include <QWidget>

class CPropertyPane : public QWidget {
    Q_OBJECT

public:
    explicit CPropertyPane(const QString& title, QWidget* parent = nullptr);

    // The tab's text.
    const QString& GetTitle() const { return title; }
    bool IsChanged() const { return changed; }
    void SetChanged(bool flag = true) { changed = flag; }

    // Copies the controls into the model; called on OK whether or not the pane was ever shown.
    // The dialog closes whatever this returns.
    virtual bool Apply() { return true; }

private:
    bool changed = false;
    QString title;
};
