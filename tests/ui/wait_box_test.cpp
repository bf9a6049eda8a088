// SPDX-License-Identifier: GPL-3.0-or-later
// The wait box of a disk scan, and New disk index run from the main window's command.

#include "shell/ui/dialogs/wait_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "shell/coll_session.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/frame/coll_frame.h"
#include "shell/ui/frame/coll_view.h"
#include "store/coll_disk.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

bool AnyWaitBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<CWaitBox*>(window) != nullptr && window->isVisible()) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(WaitBox, ShowsItsTextAndCountsAndOnlyCancelOrEscapeStopsTheWork) {
    CWaitBox box("Please wait while scanning disk");
    QSignalSpy cancelled(&box, &CWaitBox::Cancelled);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.windowTitle(), "Tamblor");
    // The rest of the program stays usable while it is up.
    EXPECT_EQ(box.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(box.iconLabel->pixmap().isNull());
    EXPECT_EQ(box.textLabel->text(), "Please wait while scanning disk");
    EXPECT_EQ(box.textLabel->accessibleName(), "Please wait while scanning disk");
    EXPECT_EQ(box.countsLabel->text(), "Read so far: 0 folders, 0 files");
    // The scan's first batch shows at once.
    box.OnProgress(7, 9);
    EXPECT_EQ(box.countsLabel->text(), "Read so far: 7 folders, 9 files");

    box.SetCounts(1234, 1);
    EXPECT_EQ(box.countsLabel->text(), "Read so far: 1,234 folders, 1 file");
    EXPECT_EQ(box.countsLabel->accessibleName(), box.countsLabel->text());
    EXPECT_FALSE(box.IsCancelled());

    // Enter does not close it; Escape cancels and the box stays until its owner ends it.
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.IsCancelled());
    EXPECT_EQ(cancelled.count(), 0);
    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.IsCancelled());
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.cancelButton->isEnabled());

    CWaitBox clicked("Please wait while scanning disk");
    QSignalSpy clickedCancel(&clicked, &CWaitBox::Cancelled);
    QTest::mouseClick(clicked.cancelButton, Qt::LeftButton);
    EXPECT_TRUE(clicked.IsCancelled());
    EXPECT_EQ(clickedCancel.count(), 1);

    QString shots = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (!shots.isEmpty()) {
        CWaitBox shown("Please wait while scanning disk");
        shown.SetCounts(1873, 24518);
        EXPECT_TRUE(shown.grab().save(shots + "/wait_box.png"));
    }
}

TEST(WaitBox, NewDiskIndexFromTheMenuWritesTheIndexWithTheTitleTypedInTheForm) {
    CTempFolder folder;
    folder.Write("drive/Photos/beach.jpg", "sand");
    folder.Write("drive/notes.txt", "ab");
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
    CCollSession session;
    session.Load(folder.Path("Tamblor.ini"));
    session.settings.SetDrive(folder.Path("drive"));
    CCollFrame frame(session);
    frame.show();
    ui.chosenFiles.push_back(folder.Path("Holiday 2006.cdi"));

    bool formSeen = false;
    bool waitBoxDuringForm = true;
    bool driveCommandsDuringForm = true;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* form = qobject_cast<CCollDiskDlg*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            return;
        }
        answer.stop();
        formSeen = true;
        waitBoxDuringForm = AnyWaitBox();
        driveCommandsDuringForm = frame.GetAction(CCollCommand::newDiskIndex)->isEnabled() ||
                                  frame.GetAction(CCollCommand::ejectDisk)->isEnabled();
        EXPECT_EQ(form->totalFilesField->text(), "2");
        form->titleField->setText("Holiday 2006");
        QTest::mouseClick(form->okButton, Qt::LeftButton);
    });
    answer.start(10);
    // The command returns at once; the scan goes on while the window answers.
    frame.GetAction(CCollCommand::newDiskIndex)->trigger();
    EXPECT_TRUE(AnyWaitBox());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(frame.GetAction(CCollCommand::totals)->isEnabled());
    EXPECT_TRUE(frame.GetView().IsDriveBusy());
    EXPECT_FALSE(frame.GetAction(CCollCommand::newDiskIndex)->isEnabled());
    EXPECT_FALSE(frame.GetAction(CCollCommand::ejectDisk)->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame.GetView().IsDriveBusy(); }));

    EXPECT_TRUE(formSeen);
    EXPECT_FALSE(waitBoxDuringForm);
    EXPECT_FALSE(driveCommandsDuringForm);
    EXPECT_TRUE(frame.GetAction(CCollCommand::newDiskIndex)->isEnabled());
    EXPECT_FALSE(AnyWaitBox());
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_FALSE(ui.fileDialogs.empty());
    EXPECT_EQ(ui.fileDialogs.back().initialName, "Holiday 2006");
    auto disk = CCollDisk::OfIndexFile(folder.Path("Holiday 2006.cdi"));
    ASSERT_TRUE(disk->ReadHeader());
    EXPECT_EQ(disk->header.totalFiles, 2);
    EXPECT_EQ(disk->header.totalFolders, 1);
    EXPECT_EQ(session.settings.GetLastCdiFolder(), folder.Path() + "/");
    EXPECT_TRUE(session.doc.collection.disks.empty());
}
