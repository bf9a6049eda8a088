// SPDX-License-Identifier: GPL-3.0-or-later
// The copy progress window: what it shows against the catalogue's totals, and Escape or
// Cancel stopping the copy.

#include "shell/ui/dialogs/copy_progress_dlg.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

TEST(CopyProgressDlg, ShowsTotalsAndStopsOnEscapeOrCancel) {
    CCopyProgressDlg dialog;
    CCatalogueTotals totals;
    totals.files = 1200;
    totals.bytes = 5000000;
    dialog.Begin("/media/cdrom/Photos", totals, true);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.GetFilesText(), "Files: 0 of 1,200");
    EXPECT_EQ(dialog.GetBytesText(), "Bytes: 0 of 5,000,000");
    EXPECT_FALSE(dialog.findChild<QProgressBar*>("CopyBar")->accessibleName().isEmpty());

    CTreeCopyProgress progress;
    progress.files = 3;
    EXPECT_TRUE(dialog.Update(progress));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.IsCancelled());
    // The window stays until the copy has stopped.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Update(progress));
    dialog.End();
    EXPECT_FALSE(dialog.isVisible());

    // Without the catalogue's totals only the counts are shown; the Cancel button stops too.
    dialog.Begin("/media/cdrom", CCatalogueTotals(), false);
    EXPECT_FALSE(dialog.IsCancelled());
    EXPECT_EQ(dialog.GetFilesText(), "Files: 0");
    QTest::mouseClick(dialog.findChild<QPushButton*>("CopyCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.Update(progress));
    dialog.End();
}
