// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_view.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/coll_doc.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/frame/coll_disk_commands.h"
#include "shell/ui/search/coll_search_panel.h"
#include "store/coll_item.h"
#include "toolkit/ui/tab_wnd_ctrl.h"

CCollView::CCollView(QWidget* parent)
    : CTabView(parent),
      browsePanel(new CCollBrowsePanel(this)),
      searchPanel(new CCollSearchPanel(this)) {
    setObjectName("CollView");
    SetPageMargins(QMargins(5, 5, 5, 5));
    SetInset(QMargins(0, 0, 0, 0));
    SetTabHeight(28);
    AddTab(browsePanel, "Browse");
    AddTab(searchPanel, "Search");
    connect(searchPanel, &CCollSearchPanel::FindRequested, this, &CCollView::FindItem);
    connect(browsePanel, &CCollBrowsePanel::CommandRequested, this, &CCollView::CommandRequested);
    connect(browsePanel, &CCollBrowsePanel::SelectionChanged, this, &CCollView::SelectionChanged);
    connect(&GetTabCtrl(), &QTabBar::currentChanged, this, &CCollView::SelectionChanged);
}

CCollView::~CCollView() {
    if (doc != nullptr) {
        doc->RemoveView(this);
    }
    // The tab view lets go of its pages; this view owns them. Their tables keep their column
    // widths in the profile as they go.
    delete browsePanel;
    delete searchPanel;
}

void CCollView::SetDocument(CCollDoc* document) {
    doc = document;
    browsePanel->SetDocument(document);
    searchPanel->SetDocument(document);
    doc->AddView(this);
}

void CCollView::OnInitialUpdate() {
    browsePanel->RestorePaneSizes();
    ShowBrowseTab();
    OnUpdate(nullptr, CUpdateHint::redrawAll, nullptr);
}

void CCollView::SavePaneSizes() const {
    browsePanel->SavePaneSizes();
}

void CCollView::SetSession(CCollSession* owner) {
    session = owner;
    driveCommands.reset();
    if (session != nullptr) {
        driveCommands = std::make_unique<CDriveCommands>(*session, window());
        // The view's signal for "the commands' enabling may have changed".
        driveCommands->onBusyChanged = [this] { emit SelectionChanged(); };
    }
}

bool CCollView::IsDriveBusy() const {
    return driveCommands != nullptr && driveCommands->IsBusy();
}

bool CCollView::IsBrowseTabCurrent() const {
    return GetCurrentPage() == browsePanel;
}

void CCollView::OnUpdate(CView* /*sender*/, CUpdateHint hint, const CCollItem* item) {
    if (doc == nullptr) {
        return;
    }
    switch (hint) {
        case CUpdateHint::copyItem:
            if (item != nullptr && driveCommands != nullptr) {
                driveCommands->CopyItem(*item);
            }
            break;
        case CUpdateHint::openItem:
            if (item != nullptr && driveCommands != nullptr) {
                driveCommands->OpenItem(*item);
            }
            break;
        case CUpdateHint::reloadBrowse:
            browsePanel->ReloadAll();
            searchPanel->ReloadLists();
            break;
        case CUpdateHint::currentDiskChanged:
            // The document has read the disk's content already.
            browsePanel->OnCurrentDiskChanged();
            break;
        case CUpdateHint::currentFolderChanged:
            browsePanel->ReloadFiles();
            break;
        case CUpdateHint::redrawAll:
        default:
            browsePanel->ReloadAll();
            browsePanel->RedrawAll();
            searchPanel->ReloadLists();
            searchPanel->UpdateDateFormat();
            break;
    }
    emit SelectionChanged();
}

void CCollView::ShowBrowseTab() {
    GetTabCtrl().setCurrentIndex(0);
    SelectTab(0);
}

void CCollView::FindItem(const CCollItem& item) {
    ShowBrowseTab();
    browsePanel->SelectPath(item);
    emit SelectionChanged();
}

void CCollView::OpenSelected() {
    CCollItem item;
    if (doc != nullptr && IsBrowseTabCurrent() && browsePanel->GetSelectedItem(item)) {
        doc->UpdateAllViews(nullptr, CUpdateHint::openItem, &item);
    }
}

void CCollView::CopySelected() {
    CCollItem item;
    if (doc != nullptr && IsBrowseTabCurrent() && browsePanel->GetSelectedItem(item)) {
        doc->UpdateAllViews(nullptr, CUpdateHint::copyItem, &item);
    }
}
