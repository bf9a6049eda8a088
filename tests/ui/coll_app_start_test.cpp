// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <string>

#include "shell/ui/frame/coll_app.h"
#include "shell/ui/frame/coll_frame.h"
#include "support/temp_folder.h"

// The collection named on the command line is read once the loop runs: when it cannot be
// opened, the user reads why and the loop ends with status 1, which the program returns. One
// that opens leaves the loop running.
TEST(CollAppStart, ACollectionNamedAtStartThatCannotBeOpenedEndsTheLoopWithOne) {
    CTempFolder folder;
    std::string ini = folder.Path() + "/Tamblor.ini";
    QStringList seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->text();
            box->accept();
        }
    });
    answer.start(10);

    for (bool present : {true, false}) {
        std::string named = present ? folder.Write("Music.col", "") : folder.Path("Gone.col");
        CCollApp app;
        app.Start(ini, named);
        QEventLoop loop;
        // Stands for the user's Exit once the start has gone on past the load.
        QTimer loaded;
        QObject::connect(&loaded, &QTimer::timeout, [&] {
            if (!app.GetSession().doc.IsLoading()) {
                loop.exit(0);
            }
        });
        loaded.start(10);
        EXPECT_EQ(loop.exec(), present ? 0 : 1);
        EXPECT_EQ(app.GetSession().doc.GetPathName(), present ? named : "");
        app.Finish();
    }
    // The application's own loop, as the program would run it next, clears the quit for the
    // tests that follow.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].endsWith("Gone.col was not found."));
}
