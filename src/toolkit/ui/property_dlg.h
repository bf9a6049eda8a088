// SPDX-License-Identifier: GPL-3.0-or-later
// A modal dialog of panes under tabs with OK and Cancel: OK applies every pane, Cancel none.
// Enter anywhere in a pane presses OK, the dialog's default button.
#pragma once

#include "toolkit/ui/tab_dlg.h"

class CPropertyDlg : public CTabDlg {
    Q_OBJECT

public:
    explicit CPropertyDlg(const QString& caption, QWidget* parent = nullptr);

    // The order of the calls is the order of the tabs. `pane` is not owned.
    void AddPane(CPropertyPane* pane);

    // Applies every pane in tab order, shown or not, whatever each returns, then closes.
    void accept() override;

protected:
    void OnInitDialog() override;

private:
    QString caption;
};
