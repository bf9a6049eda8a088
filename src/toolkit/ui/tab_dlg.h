// SPDX-License-Identifier: GPL-3.0-or-later
// A dialog whose tab control shows one pane at a time. The panes belong to the derived dialog;
// this one only shows them.
#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "toolkit/ui/property_pane.h"

class QTabWidget;
class QVBoxLayout;

class CTabDlg : public QDialog {
    Q_OBJECT

public:
    explicit CTabDlg(QWidget* parent = nullptr);
    ~CTabDlg() override;

    // Initialises the dialog the first time it is shown, by show(), open() or exec().
    void setVisible(bool visible) override;

    QTabWidget* GetTabCtrl() const { return tabCtrl; }
    // Null until a pane has been selected.
    CPropertyPane* GetCurrentPane() const { return current; }

protected:
    // Runs once, just before the dialog is first shown; the derived dialog fills the tabs.
    virtual void OnInitDialog() {}
    // Puts `pane` under a new tab at `index`.
    void InsertPaneTab(int index, CPropertyPane* pane);
    bool IsInitialised() const { return initialised; }
    // The dialog's layout: the tab control, then whatever the derived dialog adds.
    QVBoxLayout* GetDialogLayout() const { return dialogLayout; }

    // In tab order.
    std::vector<QPointer<CPropertyPane>> panes;

private:
    void OnSelChange(int index);

    QTabWidget* tabCtrl;
    QVBoxLayout* dialogLayout;
    CPropertyPane* current = nullptr;
    bool initialised = false;
};
