// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's application object: reads the profile, installs the dialogs and the
// message box, makes the main window, opens the collection of the command line (or the last
// one), and writes everything back at exit. A quit signal (logout, `kill`) cancels the
// dialogs open and closes the window as Exit does.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/qt_platform_ui.h"
#include "shell/coll_session.h"
#include "shell/ui/qt_job_poster.h"

class CCollFrame;
class CQuitSignals;
class QTimer;

class CCollApp {
public:
    CCollApp();
    CCollApp(const CCollApp&) = delete;
    CCollApp& operator=(const CCollApp&) = delete;
    ~CCollApp();

    // Start-up with the profile at `iniPath`. The collection named on the command line is read
    // once the event loop runs; when it cannot be opened, the loop ends with status 1.
    void Start(const std::string& iniPath, const std::string& commandLineFile);
    // Exit: the main window is gone; writes the settings, then the recent files.
    void Finish();

    CCollSession& GetSession() { return session; }
    CCollFrame* GetFrame() { return frame.get(); }

private:
    void OnQuitRequested();
    void FinishQuitRequest();

    // How often a quit request looks again for windows that have not closed yet.
    static constexpr int modalRetryMilliseconds = 50;

    // First, so that it outlives every job the session's document and the frame own.
    CQtJobPoster jobPoster;
    CCollSession session;
    CQtPlatformUi platformUi;
    CPlatformUi* previousUi = nullptr;
    std::unique_ptr<CCollFrame> frame;
    std::unique_ptr<CQuitSignals> quitSignals;
    // Closes the window once the dialogs a quit request cancelled have all gone.
    std::unique_ptr<QTimer> quitTimer;
    bool sinkInstalled = false;
    bool quitPending = false;
};
