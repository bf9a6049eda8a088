// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/browse/coll_folder_tree.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

#include "platform/ui/display_text.h"
#include "shell/coll_doc.h"
#include "shell/ui/coll_icons.h"
#include "store/coll_disk_folder.h"

namespace {

constexpr int folderRole = Qt::UserRole;
constexpr int expandedRole = Qt::UserRole + 1;

// Items sort by name ignoring case, as the desktop's file lists do.
class CFolderItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        int order = text(0).compare(other.text(0), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text(0) < other.text(0);
    }
};

}  // namespace

CCollDiskFolder* CCollFolderTree::FolderOf(const QTreeWidgetItem* item) {
    return item == nullptr
               ? nullptr
               : static_cast<CCollDiskFolder*>(item->data(0, folderRole).value<void*>());
}

std::vector<const CCollDiskFolder*> CCollFolderTree::GetSelectedChain() const {
    std::vector<const CCollDiskFolder*> folders;
    for (const QTreeWidgetItem* at = currentItem(); at != nullptr && at->parent() != nullptr;
         at = at->parent()) {
        folders.insert(folders.begin(), FolderOf(at));
    }
    return folders;
}

CCollFolderTree::CCollFolderTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("FolderTree");
    setAccessibleName("Folders");
    setColumnCount(1);
    // Hidden, but it names the column for a screen reader.
    setHeaderLabel("Folders");
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setDragEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemExpanded, this, &CCollFolderTree::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) {
        if (item->parent() != nullptr) {
            item->setIcon(0, GetCollIcon(CCollIcon::folder));
        }
    });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* /*previous*/) {
                OnCurrentItemChanged(current);
            });
}

void CCollFolderTree::SetDocument(CCollDoc* document) {
    doc = document;
}

QTreeWidgetItem* CCollFolderTree::AddFolderItem(QTreeWidgetItem* parent, CCollDiskFolder* folder) {
    auto* item = new CFolderItem(parent);
    item->setText(0, DisplayText(folder->name));
    item->setIcon(0, GetCollIcon(CCollIcon::folder));
    item->setData(0, folderRole, QVariant::fromValue(static_cast<void*>(folder)));
    return item;
}

void CCollFolderTree::AddSubfolderItems(QTreeWidgetItem* item) {
    CCollDiskFolder* folder = FolderOf(item);
    if (folder == nullptr || item->childCount() > 0) {
        return;
    }
    for (const auto& sub : folder->content.folders) {
        AddFolderItem(item, sub.get());
    }
}

void CCollFolderTree::Reload() {
    filling = true;
    setUpdatesEnabled(false);
    // Sorted once at the end rather than at every insertion.
    setSortingEnabled(false);
    clear();
    QTreeWidgetItem* root = nullptr;
    if (doc != nullptr && doc->currentDisk != nullptr) {
        root = new QTreeWidgetItem(this);
        root->setText(0, DisplayText(doc->currentDisk->title));
        root->setIcon(0, GetCollIcon(CCollIcon::disk));
        root->setData(0, expandedRole, true);
        for (const auto& folder : doc->currentDisk->content.folders) {
            AddSubfolderItems(AddFolderItem(root, folder.get()));
        }
    }
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setUpdatesEnabled(true);
    filling = false;
    if (root != nullptr) {
        // Choosing the root shows the files of the disk's root.
        setCurrentItem(root);
        root->setExpanded(true);
    }
}

void CCollFolderTree::OnItemExpanded(QTreeWidgetItem* item) {
    if (item->parent() != nullptr) {
        item->setIcon(0, GetCollIcon(CCollIcon::openFolder));
    }
    if (item->data(0, expandedRole).toBool() || doc == nullptr) {
        return;
    }
    item->setData(0, expandedRole, true);
    // The children are shown already; their own children are read now, so that each shows
    // whether it can be expanded.
    doc->ExpandFolder(FolderOf(item));
    bool wasSorting = isSortingEnabled();
    setSortingEnabled(false);
    for (int i = 0; i < item->childCount(); ++i) {
        AddSubfolderItems(item->child(i));
    }
    setSortingEnabled(wasSorting);
}

void CCollFolderTree::OnCurrentItemChanged(QTreeWidgetItem* current) {
    if (filling || doc == nullptr || doc->currentDisk == nullptr || current == nullptr) {
        return;
    }
    doc->SelectFolder(current->parent() == nullptr ? nullptr : FolderOf(current));
}

void CCollFolderTree::ShowFolders(const std::vector<CCollDiskFolder*>& folders) {
    QTreeWidgetItem* at = topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    if (at == nullptr) {
        return;
    }
    filling = true;
    for (CCollDiskFolder* folder : folders) {
        at->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < at->childCount() && next == nullptr; ++i) {
            if (FolderOf(at->child(i)) == folder) {
                next = at->child(i);
            }
        }
        if (next == nullptr) {
            break;
        }
        at = next;
    }
    setCurrentItem(at);
    scrollToItem(at);
    filling = false;
}

bool CCollFolderTree::IsRootSelected() const {
    return currentItem() != nullptr && currentItem()->parent() == nullptr;
}

CCollDiskFolder* CCollFolderTree::GetSelectedFolder() const {
    return IsRootSelected() ? nullptr : FolderOf(currentItem());
}

void CCollFolderTree::mousePressEvent(QMouseEvent* event) {
    // A right-click selects the item under it first, so the files shown follow it before
    // the menu opens.
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
            setCurrentItem(item);
        }
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CCollFolderTree::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item = nullptr;
    QPoint position = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        item = currentItem();
        if (item != nullptr) {
            QRect rect = visualItemRect(item);
            position = viewport()->mapToGlobal(rect.center());
        }
    } else {
        item = itemAt(event->pos());
    }
    if (item != nullptr) {
        ShowMenu(item, position);
    }
}

void CCollFolderTree::ShowMenu(QTreeWidgetItem* item, const QPoint& globalPosition) {
    QMenu menu(this);
    if (item->parent() == nullptr) {
        menu.addAction("Properties")->setData(static_cast<int>(CCollCommand::diskProperties));
    } else {
        menu.addAction("Open")->setData(static_cast<int>(CCollCommand::open));
        menu.addAction("Copy")->setData(static_cast<int>(CCollCommand::copy));
        menu.addAction("Properties")->setData(static_cast<int>(CCollCommand::folderProperties));
    }
    if (QAction* chosen = menu.exec(globalPosition)) {
        emit CommandRequested(static_cast<CCollCommand>(chosen->data().toInt()));
    }
}
