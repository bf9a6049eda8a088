// SPDX-License-Identifier: GPL-3.0-or-later
// The wait box of a disk scan, and New disk index run from the main window's command.

#include "shell/ui/dialogs/wait_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "shell/coll_session.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/frame/coll_frame.h"
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
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.windowTitle(), "Tamblor");
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(box.iconLabel->pixmap().isNull());
    EXPECT_EQ(box.textLabel->text(), "Please wait while scanning disk");
    EXPECT_EQ(box.textLabel->accessibleName(), "Please wait while scanning disk");
    EXPECT_EQ(box.countsLabel->text(), "Read so far: 0 folders, 0 files");

    box.SetCounts(1234, 1);
    EXPECT_EQ(box.countsLabel->text(), "Read so far: 1,234 folders, 1 file");
    EXPECT_EQ(box.countsLabel->accessibleName(), box.countsLabel->text());
    EXPECT_TRUE(box.OnProgress(1300, 2));
    EXPECT_FALSE(box.IsCancelled());

    // Enter does not close it; Escape cancels and the box stays until its owner ends it.
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.IsCancelled());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.IsCancelled());
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.cancelButton->isEnabled());
    EXPECT_FALSE(box.OnProgress(1400, 3));

    CWaitBox clicked("Please wait while scanning disk");
    QTest::mouseClick(clicked.cancelButton, Qt::LeftButton);
    EXPECT_TRUE(clicked.IsCancelled());

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
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* form = qobject_cast<CCollDiskDlg*>(QApplication::activeModalWidget());
        if (form == nullptr) {
            return;
        }
        answer.stop();
        formSeen = true;
        waitBoxDuringForm = AnyWaitBox();
        EXPECT_EQ(form->totalFilesField->text(), "2");
        form->titleField->setText("Holiday 2006");
        QTest::mouseClick(form->okButton, Qt::LeftButton);
    });
    answer.start(10);
    frame.GetAction(CCollCommand::newDiskIndex)->trigger();

    EXPECT_TRUE(formSeen);
    EXPECT_FALSE(waitBoxDuringForm);
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
