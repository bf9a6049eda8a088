// SPDX-License-Identifier: GPL-3.0-or-later
// The main view: the "Browse" and "Search" tabs. It turns the document's update hints into
// reloads of the browse panel and carries out the commands that act on the selection.
#pragma once

#include <functional>
#include <memory>

#include "shell/coll_commands.h"
#include "toolkit/ui/tab_view.h"

class CCollBrowsePanel;
class CDriveCommands;
class CCollDoc;
class CCollSearchPanel;
class CCollSession;

class CCollView : public CTabView {
    Q_OBJECT

public:
    explicit CCollView(QWidget* parent = nullptr);
    ~CCollView() override;

    // Gives the panels the document and shows the Browse tab; the view follows the document
    // from then on.
    void SetDocument(CCollDoc* document);
    // What opening and copying items need besides the document: the settings, the window.
    void SetSession(CCollSession* owner);
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, CUpdateHint hint, const CCollItem* item) override;

    bool IsBrowseTabCurrent() const;
    void ShowBrowseTab();
    CCollBrowsePanel& GetBrowsePanel() { return *browsePanel; }
    CCollSearchPanel& GetSearchPanel() { return *searchPanel; }
    // The commands that read the drive; there once the session is set.
    CDriveCommands& GetDriveCommands() { return *driveCommands; }
    bool IsDriveBusy() const;
    // The find request of the search results: shows the Browse tab and selects the item.
    void FindItem(const CCollItem& item);
    // Open and Copy of the Edit menu.
    void OpenSelected();
    void CopySelected();
    void SavePaneSizes() const;

signals:
    // A command asked for from a table, the tree or a pop-up menu, for the frame to run.
    void CommandRequested(CCollCommand command);
    // The selection or the current tab changed: the commands' enabling may have changed.
    void SelectionChanged();

private:
    CCollDoc* doc = nullptr;
    CCollSession* session = nullptr;
    std::unique_ptr<CDriveCommands> driveCommands;
    CCollBrowsePanel* browsePanel;
    CCollSearchPanel* searchPanel;
};
