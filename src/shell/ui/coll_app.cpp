#include "shell/ui/coll_app.h"

#include <QApplication>

#include "platform/message_sink.h"
#include "platform/ui/quit_signals.h"
#include "shell/ui/coll_frame.h"

CCollApp::CCollApp() = default;

CCollApp::~CCollApp() {
    quitSignals.reset();
    frame.reset();
    if (sinkInstalled) {
        SetMessageSink(nullptr);
        SetPlatformUi(previousUi);
    }
}

bool CCollApp::Start(const std::string& iniPath, const std::string& commandLineFile) {
    previousUi = SetPlatformUi(&platformUi);
    SetMessageSink([this](const std::string& text) {
        platformUi.ShowMessage(text, CPlatformUi::Icon::warning);
    });
    sinkInstalled = true;
    session.Load(iniPath);
    frame = std::make_unique<CCollFrame>(session);
    platformUi.SetOwner(frame.get());
    frame->RestorePlacement();
    if (!session.OpenAtStartup(commandLineFile)) {
        return false;
    }
    frame->UpdateCommands();
    quitSignals = std::make_unique<CQuitSignals>();
    QObject::connect(quitSignals.get(), &CQuitSignals::QuitRequested, frame.get(), [this] {
        // A question already open is the user's to answer; asking it twice helps nobody.
        if (QApplication::activeModalWidget() == nullptr) {
            frame->close();
        }
    });
    return true;
}

void CCollApp::Finish() {
    quitSignals.reset();
    if (frame) {
        // Its tables keep their column widths in the profile as they go.
        frame->SavePlacement();
        frame.reset();
    }
    session.Save();
}
