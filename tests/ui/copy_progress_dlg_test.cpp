// SPDX-License-Identifier: GPL-3.0-or-later
// The copy progress window: what it shows against the catalogue's totals, and Escape or
// Cancel stopping the copy.

#include "shell/ui/dialogs/copy_progress_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

TEST(CopyProgressDlg, ShowsTotalsAndStopsOnEscapeOrCancel) {
    CCopyProgressDlg dialog;
    QSignalSpy cancelled(&dialog, &CCopyProgressDlg::Cancelled);
    CCatalogueTotals totals;
    totals.files = 1200;
    totals.bytes = 5000000;
    dialog.Begin("/media/cdrom/Photos", totals, true);
    EXPECT_TRUE(dialog.isVisible());
    // The main window stays usable during the copy.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dialog.GetFilesText(), "Files: 0 of 1,200");
    EXPECT_EQ(dialog.GetBytesText(), "Bytes: 0 of 5,000,000");
    EXPECT_FALSE(dialog.findChild<QProgressBar*>("CopyBar")->accessibleName().isEmpty());

    // Each batch is shown as it comes.
    CTreeCopyProgress progress;
    progress.files = 3;
    progress.bytes = 2500000;
    dialog.Update(progress);
    EXPECT_EQ(dialog.GetFilesText(), "Files: 3 of 1,200");
    EXPECT_EQ(dialog.findChild<QProgressBar*>("CopyBar")->value(), 500);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_EQ(cancelled.count(), 1);
    // The window stays until the copy has stopped.
    EXPECT_TRUE(dialog.isVisible());
    dialog.End();
    EXPECT_FALSE(dialog.isVisible());

    // Without the catalogue's totals only the counts are shown; the Cancel button stops too.
    dialog.Begin("/media/cdrom", CCatalogueTotals(), false);
    EXPECT_FALSE(dialog.IsCancelled());
    EXPECT_EQ(dialog.GetFilesText(), "Files: 0");
    QTest::mouseClick(dialog.findChild<QPushButton*>("CopyCancel"), Qt::LeftButton);
    EXPECT_EQ(cancelled.count(), 2);
    dialog.End();

    QString shots = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (!shots.isEmpty()) {
        CCopyProgressDlg shown;
        totals.files = 24518;
        totals.bytes = 3100000000;
        shown.Begin("/media/cdrom/Photos/caf\xe9 \\ 2006", totals, true);
        progress.files = 1873;
        progress.bytes = 1200000000;
        shown.Update(progress);
        EXPECT_TRUE(shown.grab().save(shots + "/copy_progress.png"));
    }
}
