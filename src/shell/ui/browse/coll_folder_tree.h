// SPDX-License-Identifier: GPL-3.0-or-later
// The browse panel's tree of the current disk's folders: the disk at the root, each folder
// under its parent, read one level ahead as folders are expanded, so that a folder shows
// whether it can be expanded. Choosing an item makes it the document's current folder.
#pragma once

#include <QTreeWidget>
#include <vector>

#include "shell/coll_commands.h"

class CCollDoc;
class CCollDiskFolder;

class CCollFolderTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit CCollFolderTree(QWidget* parent = nullptr);

    void SetDocument(CCollDoc* document);
    // Shows the current disk: its root, its top level and the level below, then selects the
    // root.
    void Reload();
    // Selects the item of the last of `folders` (each the child of the one before, from the
    // top level down; none: the root), expanding the way there, without choosing it again.
    void ShowFolders(const std::vector<CCollDiskFolder*>& folders);
    bool IsRootSelected() const;
    // The folder of the selected item; null for the root or when nothing is selected.
    CCollDiskFolder* GetSelectedFolder() const;
    // The selected folder and its ancestors, from the top level down; none for the root.
    std::vector<const CCollDiskFolder*> GetSelectedChain() const;
    // The folder an item shows; null for the root.
    static CCollDiskFolder* FolderOf(const QTreeWidgetItem* item);

signals:
    void CommandRequested(CCollCommand command);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, CCollDiskFolder* folder);
    void AddSubfolderItems(QTreeWidgetItem* item);
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void ShowMenu(QTreeWidgetItem* item, const QPoint& globalPosition);

    CCollDoc* doc = nullptr;
    // Set while the tree is rebuilt or moved by the program.
    bool filling = false;
};
