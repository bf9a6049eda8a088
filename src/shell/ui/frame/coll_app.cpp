// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_app.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/ui/quit_signals.h"
#include "shell/message_sink.h"
#include "shell/ui/frame/coll_frame.h"

namespace {

// Cancels every modal window and menu open, the newest first; false when none was open.
bool CloseModalWidgets() {
    bool any = false;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        any = true;
    }
    std::vector<QWidget*> done;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (std::find(done.begin(), done.end(), modal) != done.end()) {
            // A progress window stays until its work has stopped; the rest are closed below it.
            break;
        }
        done.push_back(modal);
        any = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else if (!modal->close()) {
            modal->hide();
        }
    }
    return any;
}

}  // namespace

CCollApp::CCollApp() = default;

CCollApp::~CCollApp() {
    quitSignals.reset();
    quitTimer.reset();
    frame.reset();
    if (sinkInstalled) {
        SetMessageSink(nullptr);
        SetPlatformUi(previousUi);
    }
}

void CCollApp::Start(const std::string& iniPath, const std::string& commandLineFile) {
    previousUi = SetPlatformUi(&platformUi);
    SetMessageSink([this](const std::string& text) {
        platformUi.ShowMessage(text, CPlatformUi::Icon::warning);
    });
    sinkInstalled = true;
    session.Load(iniPath);
    frame = std::make_unique<CCollFrame>(session);
    platformUi.SetOwner(frame.get());
    frame->RestorePlacement();
    session.OpenAtStartup(commandLineFile, [](bool opened) {
        // The program was started to show that file: without it, it ends.
        if (!opened) {
            QCoreApplication::exit(1);
        }
    });
    frame->UpdateCommands();
    quitTimer = std::make_unique<QTimer>();
    quitTimer->setSingleShot(true);
    QObject::connect(quitTimer.get(), &QTimer::timeout, frame.get(),
                     [this] { FinishQuitRequest(); });
    quitSignals = std::make_unique<CQuitSignals>();
    QObject::connect(quitSignals.get(), &CQuitSignals::QuitRequested, frame.get(),
                     [this] { OnQuitRequested(); });
}

void CCollApp::OnQuitRequested() {
    // The save question of a close already under way stays for the user to answer.
    if (quitPending || frame->IsClosing()) {
        return;
    }
    if (!CloseModalWidgets()) {
        frame->close();
        return;
    }
    // Each dialog's exec() returns only when control is back in its own loop: the window is
    // closed once they all have, from the main loop.
    quitPending = true;
    quitTimer->start(0);
}

void CCollApp::FinishQuitRequest() {
    if (CloseModalWidgets()) {
        // A command that went on after its dialog was cancelled opened another one, or a
        // progress window waits for its work to stop.
        quitTimer->start(modalRetryMilliseconds);
        return;
    }
    quitPending = false;
    frame->close();
}

void CCollApp::Finish() {
    quitSignals.reset();
    quitTimer.reset();
    if (frame) {
        // Its tables keep their column widths in the profile as they go.
        frame->SavePlacement();
        frame.reset();
    }
    session.Save();
}
