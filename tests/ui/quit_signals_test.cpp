// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/quit_signals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform_ui.h"
#include "shell/ui/frame/coll_app.h"
#include "shell/ui/frame/coll_frame.h"
#include "support/temp_folder.h"

namespace {

void Ignore(int /*signal*/) {}

}  // namespace

TEST(QuitSignals, EachSignalAsksToQuitOnTheEventLoopAndTheOldHandlersReturn) {
    struct sigaction before = {};
    before.sa_handler = Ignore;
    sigemptyset(&before.sa_mask);
    struct sigaction saved = {};
    ASSERT_EQ(::sigaction(SIGHUP, &before, &saved), 0);
    {
        CQuitSignals quitSignals;
        QSignalSpy spy(&quitSignals, &CQuitSignals::QuitRequested);
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            int count = spy.count();
            ASSERT_EQ(std::raise(signal), 0);
            EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() == count + 1; }));
        }
    }
    struct sigaction after = {};
    ::sigaction(SIGHUP, &saved, &after);
    EXPECT_EQ(after.sa_handler, Ignore);
}

TEST(QuitSignals, ASignalCancelsTheOpenDialogsAndClosesAsExitDoesAskingOnceWhateverFollows) {
    CTempFolder folder;
    std::string ini = folder.Path() + "/Tamblor.ini";
    CCollApp app;
    app.Start(ini, "");
    app.GetSession().doc.SetModifiedFlag(true);
    CCollFrame* frame = app.GetFrame();

    // Plays the user and the session manager: a message box over a dialog is open when the
    // first signal comes; a second one comes while the save question is open, which is then
    // answered No. A window that outlives the signal is closed after a while, so that a program
    // ignoring the signal fails here rather than hangs.
    std::vector<std::string> questions;
    int step = 0;
    int staleTicks = 0;
    QTimer script;
    script.setInterval(10);
    QObject::connect(&script, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (step == 0 && box != nullptr && box->text() == "Read me") {
            step = 1;
            ASSERT_EQ(std::raise(SIGTERM), 0);
        } else if (box != nullptr && box->button(QMessageBox::No) != nullptr) {
            questions.push_back(box->text().toStdString());
            if (step == 1) {
                step = 2;
                ASSERT_EQ(std::raise(SIGHUP), 0);
                QCoreApplication::processEvents();
                EXPECT_EQ(QApplication::activeModalWidget(), box);
                box->button(QMessageBox::No)->click();
            } else {
                box->button(QMessageBox::Cancel)->click();
            }
        } else if (step == 1 && modal != nullptr && ++staleTicks > 50) {
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    script.start();
    QDialog dialog;
    bool messageOver = false;
    QTimer::singleShot(0, &dialog, [&] {
        GetPlatformUi()->ShowMessage("Read me", CPlatformUi::Icon::warning);
        messageOver = true;
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(messageOver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isVisible(); }));
    script.stop();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(questions, std::vector<std::string>{"Save changes to Untitled?"});
    app.Finish();
    EXPECT_TRUE(std::filesystem::exists(ini));
}
