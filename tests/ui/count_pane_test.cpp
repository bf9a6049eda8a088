// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's count pane as a screen reader meets it: it reads what the pane shows.
// (The label itself announces each new text, while a reader is listening.)

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include "ui/program_window.h"

TEST(CountPane, AScreenReaderReadsTheCountThePaneShows) {
    CProgramWindow program;
    QLabel& pane = program.frame->GetCountPane();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&pane);
    ASSERT_NE(iface, nullptr);
    for (QString count : {"749 results", "1 result", ""}) {
        pane.setText(count);
        EXPECT_EQ(iface->text(QAccessible::Name), count);
    }
    EXPECT_EQ(iface->text(QAccessible::Description), "Number of search results");
}
