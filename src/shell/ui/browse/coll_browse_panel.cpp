// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/browse/coll_browse_panel.h"

#include <QTreeWidgetItem>

#include "shell/coll_doc.h"
#include "shell/selection_item.h"
#include "shell/ui/browse/coll_disks_ctrl.h"
#include "shell/ui/browse/coll_files_ctrl.h"
#include "shell/ui/browse/coll_folder_tree.h"
#include "store/coll_disk_folder.h"
#include "store/coll_item.h"
#include "toolkit/ui/pane_splitter.h"

namespace {

constexpr char paneSection[] = "MainFrame";
constexpr int minPaneSize = 30;
constexpr int barWidth = 3;

}  // namespace

CCollBrowsePanel::CCollBrowsePanel(QWidget* parent)
    : QWidget(parent),
      stacked(new CPaneSplitter(2, 0, minPaneSize, barWidth, this)),
      sideBySide(new CPaneSplitter(2, CPaneSplitter::sideBySide, minPaneSize, barWidth)),
      disksCtrl(new CCollDisksCtrl),
      folderTree(new CCollFolderTree),
      filesCtrl(new CCollFilesCtrl) {
    setObjectName("BrowsePanel");
    stacked->SetPane(0, disksCtrl);
    stacked->SetPane(1, sideBySide);
    sideBySide->SetPane(0, folderTree);
    sideBySide->SetPane(1, filesCtrl);
    // The tree and the files are what a user browses most: they get the larger part.
    stacked->SetProportions({250, 350});
    sideBySide->SetProportions({300, 300});
    for (QWidget* control : {static_cast<QWidget*>(disksCtrl), static_cast<QWidget*>(folderTree),
                             static_cast<QWidget*>(filesCtrl)}) {
        if (auto* frame = qobject_cast<QFrame*>(control)) {
            frame->setFrameShape(QFrame::StyledPanel);
            frame->setFrameShadow(QFrame::Sunken);
        }
    }
    setTabOrder(disksCtrl, folderTree);
    setTabOrder(folderTree, filesCtrl);
    connect(disksCtrl, &CCollDisksCtrl::CommandRequested, this,
            &CCollBrowsePanel::CommandRequested);
    connect(folderTree, &CCollFolderTree::CommandRequested, this,
            &CCollBrowsePanel::CommandRequested);
    connect(filesCtrl, &CCollFilesCtrl::CommandRequested, this,
            &CCollBrowsePanel::CommandRequested);
    connect(filesCtrl, &CCollFilesCtrl::RowChosen, this, &CCollBrowsePanel::SelectionChanged);
}

CCollBrowsePanel::~CCollBrowsePanel() = default;

void CCollBrowsePanel::SetDocument(CCollDoc* document) {
    doc = document;
    disksCtrl->SetDocument(document);
    folderTree->SetDocument(document);
    filesCtrl->SetDocument(document);
}

void CCollBrowsePanel::ReloadAll() {
    disksCtrl->Reload();
    ReloadTree();
    ReloadFiles();
}

void CCollBrowsePanel::OnCurrentDiskChanged() {
    disksCtrl->ShowCurrentDisk();
    ReloadTree();
}

void CCollBrowsePanel::ReloadTree() {
    folderTree->Reload();
}

void CCollBrowsePanel::ReloadFiles() {
    filesCtrl->Reload();
}

void CCollBrowsePanel::RedrawAll() {
    disksCtrl->viewport()->update();
    filesCtrl->viewport()->update();
    folderTree->viewport()->update();
}

void CCollBrowsePanel::RestorePaneSizes() {
    stacked->Load(paneSection, "VertPaneSizes");
    sideBySide->Load(paneSection, "HorzPaneSizes");
}

void CCollBrowsePanel::SavePaneSizes() const {
    stacked->Save(paneSection, "VertPaneSizes");
    sideBySide->Save(paneSection, "HorzPaneSizes");
}

void CCollBrowsePanel::resizeEvent(QResizeEvent* /*event*/) {
    stacked->setGeometry(rect());
}

bool CCollBrowsePanel::GetSelectedItem(CCollItem& item) const {
    if (doc == nullptr || doc->currentDisk == nullptr) {
        return false;
    }
    QWidget* focus = focusWidget();
    if (focus == nullptr) {
        return false;
    }
    bool filesFocused = focus == filesCtrl || filesCtrl->isAncestorOf(focus);
    bool treeFocused = focus == folderTree || folderTree->isAncestorOf(focus);
    if (!filesFocused && !treeFocused) {
        return false;
    }
    item = SelectionItem(*doc->currentDisk, folderTree->GetSelectedChain(),
                         filesFocused ? doc->currentFile : nullptr);
    return true;
}

void CCollBrowsePanel::SelectPath(const CCollItem& item) {
    if (doc == nullptr) {
        return;
    }
    CCollPathSelection found = doc->SelectPath(item);
    // The document's notifications rebuilt the tree and the files for what it selected;
    // what remains is to show it.
    disksCtrl->Reload();
    if (found.disk == nullptr) {
        return;
    }
    folderTree->ShowFolders(found.folders);
    if (found.file != nullptr) {
        filesCtrl->ShowFile(found.file);
        filesCtrl->setFocus();
    } else {
        folderTree->setFocus();
    }
}
