#include "shell/ui/coll_app.h"

#include "platform/message_sink.h"
#include "shell/ui/coll_frame.h"

CCollApp::CCollApp() = default;

CCollApp::~CCollApp() {
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
    return true;
}

void CCollApp::Finish() {
    if (frame) {
        // Its tables keep their column widths in the profile as they go.
        frame->SavePlacement();
        frame.reset();
    }
    session.Save();
}
