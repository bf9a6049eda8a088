// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/tab_dlg.h"

#include <QTabWidget>
#include <QVBoxLayout>

CTabDlg::CTabDlg(QWidget* parent)
    : QDialog(parent), tabCtrl(new QTabWidget(this)), dialogLayout(new QVBoxLayout(this)) {
    dialogLayout->addWidget(tabCtrl);
    connect(tabCtrl, &QTabWidget::currentChanged, this, &CTabDlg::OnSelChange);
}

CTabDlg::~CTabDlg() {
    // The tab control would delete its pages with the dialog, but they are not the dialog's.
    for (const QPointer<CPropertyPane>& pane : panes) {
        if (pane != nullptr && pane->window() == this) {
            pane->hide();
            pane->setParent(nullptr);
        }
    }
}

void CTabDlg::setVisible(bool visible) {
    if (visible && !initialised) {
        initialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CTabDlg::InsertPaneTab(int index, CPropertyPane* pane) {
    tabCtrl->insertTab(index, pane, pane->GetTitle());
}

// The tab control shows the pane of the selected tab and hides the others itself.
void CTabDlg::OnSelChange(int index) {
    if (auto* pane = qobject_cast<CPropertyPane*>(tabCtrl->widget(index))) {
        current = pane;
    }
}
