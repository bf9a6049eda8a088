// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: menus, toolbar and status bar built from the command table, the view in
// the middle, the document's title and modified flag in the window title, the placement kept
// in the profile. Every command runs behind the command guard. Collections and index files
// dropped on it open as the document says.
#pragma once

#include <QMainWindow>
#include <map>
#include <string>
#include <vector>

#include "shell/coll_commands.h"

class CCollSession;
class CCollView;
class CLoadProgressPane;
class QAction;
class QLabel;
class QMenu;
class QTimer;

class CCollFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CCollFrame(CCollSession& session, QWidget* parent = nullptr);
    ~CCollFrame() override;

    // Shows the window where the profile's "Placement" put it, or at a default size.
    void RestorePlacement();
    // Keeps the placement and the pane sizes in the profile.
    void SavePlacement() const;

    // Runs a command; false when it threw (the guard reported it) or does nothing now.
    bool Execute(CCollCommand command);
    // Enables each action by its rule.
    void UpdateCommands();

    CCollView& GetView() { return *view; }
    QAction* GetAction(CCollCommand command) const;
    // The count pane of the status bar, for the search panel's "%d results".
    QLabel& GetCountPane() { return *countPane; }
    // True while closing asks whether to save: a request to quit then has its answer coming.
    bool IsClosing() const { return closing; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void UpdateTitle();
    void FillRecentFiles();
    void RunCommand(CCollCommand command);
    void OpenDroppedFiles();

    CCollSession& session;
    CCollView* view;
    QLabel* countPane = nullptr;
    CLoadProgressPane* loadPane = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* recentPlaceholder = nullptr;
    std::vector<QAction*> recentActions;
    std::map<CCollCommand, QAction*> actions;
    std::size_t stateListener = 0;
    // The geometry of the window while it was last neither maximised nor minimised.
    QRect normalGeometry;
    // Files dropped, opened once the drag is over: the questions and messages that may follow
    // must not run inside its loop.
    std::vector<std::string> droppedPaths;
    QTimer* dropTimer = nullptr;
    bool closing = false;
};
