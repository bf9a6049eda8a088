// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/property_dlg.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertyDlg::CPropertyDlg(const QString& caption, QWidget* parent)
    : CTabDlg(parent), caption(caption) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropertyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertyDlg::reject);
    GetDialogLayout()->addWidget(buttons);
}

void CPropertyDlg::AddPane(CPropertyPane* pane) {
    panes.emplace_back(pane);
    if (IsInitialised()) {
        InsertPaneTab(GetTabCtrl()->count(), pane);
    }
}

void CPropertyDlg::OnInitDialog() {
    for (const QPointer<CPropertyPane>& pane : panes) {
        if (pane != nullptr) {
            InsertPaneTab(GetTabCtrl()->count(), pane);
        }
    }
    setWindowTitle(caption);
}

void CPropertyDlg::accept() {
    for (const QPointer<CPropertyPane>& pane : panes) {
        if (pane != nullptr) {
            pane->Apply();
        }
    }
    CTabDlg::accept();
}
