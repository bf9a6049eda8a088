// SPDX-License-Identifier: GPL-3.0-or-later
// The "Browse" page: the disks table over the folder tree and the files table, in two
// splitters. Selection flows from left to right through the document; the panel names the
// selection for Open and Copy and shows what "Select path" found.
#pragma once

#include <QWidget>

#include "shell/coll_commands.h"

class CCollDoc;
class CCollDisksCtrl;
class CCollFilesCtrl;
class CCollFolderTree;
class CPaneSplitter;
struct CCollItem;

class CCollBrowsePanel : public QWidget {
    Q_OBJECT

public:
    explicit CCollBrowsePanel(QWidget* parent = nullptr);
    ~CCollBrowsePanel() override;

    void SetDocument(CCollDoc* document);
    void ReloadAll();
    void ReloadTree();
    // The document chose another disk: its row is shown and its folders loaded.
    void OnCurrentDiskChanged();
    void ReloadFiles();
    // Redraws the tables, for a new date format.
    void RedrawAll();

    void RestorePaneSizes();
    void SavePaneSizes() const;

    // What Open and Copy act on: the file of the files table or the folder of the tree,
    // whichever has the keyboard focus. False when neither has it.
    bool GetSelectedItem(CCollItem& item) const;
    // Finds the item through its folder chain and shows what was found.
    void SelectPath(const CCollItem& item);

    CCollDisksCtrl& GetDisksCtrl() { return *disksCtrl; }
    CCollFolderTree& GetFolderTree() { return *folderTree; }
    CCollFilesCtrl& GetFilesCtrl() { return *filesCtrl; }

signals:
    void CommandRequested(CCollCommand command);
    // A file was chosen: the document's selection changed without an update hint.
    void SelectionChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CCollDoc* doc = nullptr;
    CPaneSplitter* stacked;
    CPaneSplitter* sideBySide;
    CCollDisksCtrl* disksCtrl;
    CCollFolderTree* folderTree;
    CCollFilesCtrl* filesCtrl;
};
