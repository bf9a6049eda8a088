// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWindowStateChangeEvent>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "platform/platform_ui.h"
#include "platform/profile.h"
#include "platform/ui/disk_eject.h"
#include "platform/ui/display_text.h"
#include "shell/coll_session.h"
#include "shell/command_guard.h"
#include "shell/show_message.h"
#include "shell/ui/coll_icons.h"
#include "shell/ui/frame/coll_dialog_commands.h"
#include "shell/ui/frame/coll_disk_commands.h"
#include "shell/ui/frame/coll_view.h"
#include "shell/ui/frame/load_progress_pane.h"
#include "shell/ui/search/coll_search_panel.h"
#include "shell/uri_list.h"
#include "shell/window_placement.h"

namespace {

constexpr char frameSection[] = "MainFrame";
constexpr char placementKey[] = "Placement";

// The list as sent rather than QMimeData::urls(): a URL holds text, and turns the bytes of a
// name that is not UTF-8 into replacement characters.
std::vector<std::string> LocalPathsOf(const QMimeData& data) {
    return LocalPathsOfUriList(data.data("text/uri-list").toStdString());
}

QKeySequence::StandardKey StandardKeyOf(CCommandKey key) {
    switch (key) {
        case CCommandKey::open:
            return QKeySequence::Open;
        case CCommandKey::save:
            return QKeySequence::Save;
        case CCommandKey::saveAs:
            return QKeySequence::SaveAs;
        case CCommandKey::close:
            return QKeySequence::Close;
        case CCommandKey::quit:
            return QKeySequence::Quit;
        case CCommandKey::copy:
            return QKeySequence::Copy;
        case CCommandKey::help:
            return QKeySequence::HelpContents;
        case CCommandKey::ctrlN:
        case CCommandKey::none:
            break;
    }
    return QKeySequence::UnknownKey;
}

// The guide's key first, so the menu shows it; a desktop's scheme may bind the standard
// action to nothing at all (Save As has no key in some), so it cannot stand alone.
QList<QKeySequence> KeysOf(CCommandKey key) {
    QList<QKeySequence> keys;
    QString text = QString::fromLatin1(GetKeyText(key));
    if (!text.isEmpty()) {
        keys << QKeySequence::fromString(text, QKeySequence::PortableText);
    }
    for (const QKeySequence& other : QKeySequence::keyBindings(StandardKeyOf(key))) {
        if (!keys.contains(other)) {
            keys << other;
        }
    }
    return keys;
}

QIcon IconOf(CCommandIcon icon) {
    switch (icon) {
        case CCommandIcon::open:
            return GetThemeIcon("document-open", QStyle::SP_DialogOpenButton);
        case CCommandIcon::save:
            return GetThemeIcon("document-save", QStyle::SP_DialogSaveButton);
        case CCommandIcon::copy:
            return GetThemeIcon("edit-copy", QStyle::SP_FileLinkIcon);
        case CCommandIcon::openItem:
            return GetThemeIcon("document-open-folder", QStyle::SP_DirOpenIcon);
        case CCommandIcon::newDiskIndex:
            return GetThemeIcon("media-optical", QStyle::SP_DriveCDIcon);
        case CCommandIcon::totals:
            return GetThemeIcon("document-properties", QStyle::SP_FileDialogInfoView);
        case CCommandIcon::about:
            return GetThemeIcon("help-about", QStyle::SP_MessageBoxInformation);
        case CCommandIcon::help:
            return GetThemeIcon("help-contents", QStyle::SP_DialogHelpButton);
        case CCommandIcon::none:
            break;
    }
    return QIcon();
}

}  // namespace

CCollFrame::CCollFrame(CCollSession& owner, QWidget* parent)
    : QMainWindow(parent), session(owner), view(new CCollView(this)) {
    setObjectName("MainFrame");
    setCentralWidget(view);
    setAcceptDrops(true);
    dropTimer = new QTimer(this);
    dropTimer->setSingleShot(true);
    dropTimer->setInterval(0);
    connect(dropTimer, &QTimer::timeout, this, &CCollFrame::OpenDroppedFiles);
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    view->GetSearchPanel().SetCountPane(countPane);
    view->SetSession(&session);
    view->SetDocument(&session.doc);
    connect(view, &CCollView::CommandRequested, this, &CCollFrame::RunCommand);
    connect(view, &CCollView::SelectionChanged, this, &CCollFrame::UpdateCommands);
    stateListener = session.doc.AddStateListener([this] {
        UpdateTitle();
        UpdateCommands();
    });
    session.doc.SetLoadListener([this](const CLoadProgress& progress) {
        loadPane->ShowProgress(progress);
        if (!progress.loading || progress.tried == 0) {
            UpdateCommands();
        }
    });
    view->OnInitialUpdate();
    UpdateTitle();
    UpdateCommands();
}

CCollFrame::~CCollFrame() {
    session.doc.SetLoadListener({});
    view->GetDriveCommands().AbandonAll();
    session.doc.RemoveStateListener(stateListener);
}

void CCollFrame::BuildActions() {
    for (const CMenuInfo& menu : GetMenuTable()) {
        for (CCollCommand command : menu.items) {
            if (command == CCollCommand::none || command == CCollCommand::recentFile) {
                continue;
            }
            const CCommandInfo& info = GetCommandInfo(command);
            auto* action =
                new QAction(IconOf(info.icon), QString::fromStdString(info.menuText), this);
            action->setObjectName(QString::number(static_cast<int>(command)));
            action->setStatusTip(QString::fromStdString(info.prompt));
            if (!info.tooltip.empty()) {
                action->setToolTip(QString::fromStdString(info.tooltip));
            }
            action->setShortcuts(KeysOf(info.key));
            action->setIconVisibleInMenu(false);
            connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
            actions[command] = action;
        }
    }
    if (QAction* about = GetAction(CCollCommand::about)) {
        about->setMenuRole(QAction::AboutRole);
    }
}

void CCollFrame::BuildMenus() {
    for (const CMenuInfo& info : GetMenuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(info.title));
        for (CCollCommand command : info.items) {
            if (command == CCollCommand::none) {
                menu->addSeparator();
            } else if (command == CCollCommand::recentFile) {
                fileMenu = menu;
                recentPlaceholder = menu->addAction(
                    QString::fromStdString(GetCommandInfo(CCollCommand::recentFile).menuText));
                recentPlaceholder->setEnabled(false);
            } else {
                menu->addAction(GetAction(command));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CCollFrame::UpdateCommands);
    }
    connect(fileMenu, &QMenu::aboutToShow, this, &CCollFrame::FillRecentFiles);
    FillRecentFiles();
}

void CCollFrame::FillRecentFiles() {
    for (QAction* action : recentActions) {
        fileMenu->removeAction(action);
        action->deleteLater();
    }
    recentActions.clear();
    const std::vector<std::string>& entries = session.recentFiles.GetEntries();
    recentPlaceholder->setVisible(entries.empty());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* action = new QAction(DisplayText(RecentFileMenuText(i, entries[i])), this);
        action->setStatusTip(
            QString::fromStdString(GetCommandInfo(CCollCommand::recentFile).prompt));
        action->setToolTip(DisplayText(entries[i]));
        action->setObjectName(
            QString::number(static_cast<int>(CCollCommand::recentFile) + static_cast<int>(i)));
        connect(action, &QAction::triggered, this, [this, i] {
            ::RunCommand([this, i] { session.doc.OpenRecentFile(i); });
            FillRecentFiles();
            UpdateCommands();
        });
        fileMenu->insertAction(recentPlaceholder, action);
        recentActions.push_back(action);
    }
}

void CCollFrame::BuildToolBar() {
    QToolBar* toolBar = addToolBar("Toolbar");
    toolBar->setObjectName("ToolBar");
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (CCollCommand command : GetToolbarCommands()) {
        if (command == CCollCommand::none) {
            toolBar->addSeparator();
        } else {
            toolBar->addAction(GetAction(command));
        }
    }
}

void CCollFrame::BuildStatusBar() {
    countPane = new QLabel(this);
    countPane->setObjectName("CountPane");
    // No accessible name of its own: a screen reader then reads the count as the pane shows
    // it, and the label announces each new text.
    countPane->setAccessibleDescription("Number of search results");
    countPane->setMinimumWidth(countPane->fontMetrics().horizontalAdvance("Count indicator") + 8);
    statusBar()->addPermanentWidget(countPane);
    loadPane = new CLoadProgressPane(this, this);
    statusBar()->addPermanentWidget(loadPane);
    connect(loadPane, &CLoadProgressPane::CancelRequested, this,
            [this] { session.doc.StopLoading(); });
    // The idle text comes back whenever a command's prompt goes away.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            statusBar()->showMessage("Ready");
        }
    });
    statusBar()->showMessage("Ready");
}

QAction* CCollFrame::GetAction(CCollCommand command) const {
    auto found = actions.find(command);
    return found != actions.end() ? found->second : nullptr;
}

void CCollFrame::UpdateTitle() {
    const CCollDoc& doc = session.doc;
    setWindowTitle(DisplayText(doc.GetTitle()) + "[*] - Tamblor");
    setWindowModified(doc.IsModified());
    setWindowFilePath(DisplayText(doc.GetPathName()));
}

void CCollFrame::UpdateCommands() {
    CCommandContext context;
    context.browseTabCurrent = view->IsBrowseTabCurrent();
    context.recentFileCount = session.recentFiles.GetEntries().size();
    context.driveBusy = view->IsDriveBusy();
    for (const auto& [command, action] : actions) {
        action->setEnabled(IsCommandEnabled(command, session.doc, context));
    }
}

void CCollFrame::RunCommand(CCollCommand command) {
    Execute(command);
    UpdateCommands();
}

bool CCollFrame::Execute(CCollCommand command) {
    CCollDoc& doc = session.doc;
    CCommandContext context;
    context.browseTabCurrent = view->IsBrowseTabCurrent();
    context.recentFileCount = session.recentFiles.GetEntries().size();
    context.driveBusy = view->IsDriveBusy();
    if (!IsCommandEnabled(command, doc, context)) {
        return false;
    }
    return ::RunCommand([&] {
        switch (command) {
            case CCollCommand::openCollection:
                doc.FileOpen();
                break;
            case CCollCommand::closeCollection:
                doc.FileClose();
                break;
            case CCollCommand::newCollection:
                doc.FileNew();
                break;
            case CCollCommand::saveCollection:
                doc.FileSave();
                break;
            case CCollCommand::saveCollectionAs:
                doc.FileSaveAs();
                break;
            case CCollCommand::exit:
                close();
                break;
            case CCollCommand::copy:
                view->CopySelected();
                break;
            case CCollCommand::open:
                view->OpenSelected();
                break;
            case CCollCommand::insertDisks:
                doc.AskAndInsertDisks();
                break;
            case CCollCommand::removeDisk:
                doc.RemoveCurrentDisk();
                break;
            case CCollCommand::ejectDisk:
                EjectDisk(session.settings.GetDrive());
                break;
            case CCollCommand::exportList:
                doc.ExportDiskList([](const std::string& page) {
                    if (CPlatformUi* ui = GetPlatformUi()) {
                        ui->OpenWithShell(page);
                    }
                });
                break;
            default:
                RunDialogCommand(command, session, *view, this);
                break;
        }
    });
}

void CCollFrame::RestorePlacement() {
    CWindowPlacement placement;
    CIniFile* profile = GetProfile();
    std::string text = profile != nullptr ? profile->GetString(frameSection, placementKey) : "";
    QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    if (text.empty() || !placement.Parse(text) || placement.Width() <= 0 ||
        placement.Height() <= 0) {
        // A first start: a comfortable size, centred.
        QSize size(std::min(1100, available.width() * 9 / 10),
                   std::min(760, available.height() * 9 / 10));
        resize(size);
        move(available.center() - QPoint(size.width() / 2, size.height() / 2));
        show();
        return;
    }
    QRect rect(QPoint(placement.left, placement.top),
               QPoint(placement.right - 1, placement.bottom - 1));
    // A window stored on a screen that has gone comes back onto this one.
    if (!available.intersects(rect)) {
        rect.moveCenter(available.center());
    }
    resize(rect.size());
    move(rect.topLeft());
    normalGeometry = QRect(pos(), size());
    switch (placement.showState) {
        case CWindowPlacement::maximised:
            showMaximized();
            break;
        case CWindowPlacement::minimised:
            showMinimized();
            break;
        default:
            show();
            break;
    }
}

void CCollFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
        normalGeometry = QRect(pos(), size());
    }
    QMainWindow::changeEvent(event);
}

void CCollFrame::SavePlacement() const {
    CIniFile* profile = GetProfile();
    if (profile == nullptr) {
        return;
    }
    CWindowPlacement placement;
    QRect rect =
        (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) && normalGeometry.isValid()
            ? normalGeometry
            : QRect(pos(), size());
    placement.left = rect.left();
    placement.top = rect.top();
    placement.right = rect.left() + rect.width();
    placement.bottom = rect.top() + rect.height();
    if (isMinimized()) {
        placement.showState = CWindowPlacement::minimised;
    } else if (isMaximized()) {
        placement.showState = CWindowPlacement::maximised;
    }
    profile->SetString(frameSection, placementKey, placement.Format());
    view->SavePaneSizes();
}

void CCollFrame::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void CCollFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (session.doc.CanOpenDroppedFiles(LocalPathsOf(*event->mimeData()))) {
        event->acceptProposedAction();
    }
}

void CCollFrame::dropEvent(QDropEvent* event) {
    droppedPaths = LocalPathsOf(*event->mimeData());
    event->acceptProposedAction();
    dropTimer->start();
}

void CCollFrame::OpenDroppedFiles() {
    std::vector<std::string> paths = std::move(droppedPaths);
    droppedPaths.clear();
    bool opened = false;
    ::RunCommand([&] { opened = session.doc.OpenDroppedFiles(paths); });
    if (opened) {
        view->ShowBrowseTab();
    }
}

void CCollFrame::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    closing = true;
    ::RunCommand([&] { mayClose = session.doc.CanClose(); });
    closing = false;
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The drive's work reads nothing of the document, but must not outlive the window.
    view->GetDriveCommands().AbandonAll();
    SavePlacement();
    event->accept();
}
