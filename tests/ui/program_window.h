// SPDX-License-Identifier: GPL-3.0-or-later
// The program's main window over a session on a profile in a temporary folder, with scripted
// dialogs and recorded messages, for the tests that drive the program as a user would.
#pragma once

#include <QSize>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "shell/coll_session.h"
#include "shell/ui/frame/coll_frame.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"
#include "toolkit/ui/table_wnd.h"

// The main window's size in the pictures of it, as a page or a README shows them.
inline const QSize screenshotSize(1000, 650);

struct CProgramWindow {
    CProgramWindow() {
        session.Load(folder.Path() + "/Tamblor.ini");
        frame = std::make_unique<CCollFrame>(session);
        frame->resize(1000, 700);
    }

    // The document's jobs run to their end as the program's loop would run them.
    bool FinishJobs() {
        const CCollDoc& doc = session.doc;
        return QTest::qWaitFor(
            [&doc] {
                return !doc.GetLoadJob().IsRunning() && !doc.GetInsertJob().IsRunning() &&
                       !doc.GetExportJob().IsRunning();
            },
            60000);
    }
    bool Open(const std::string& path) {
        bool opened = false;
        return session.doc.OpenCollection(path, [&opened](bool done) { opened = done; }) &&
               FinishJobs() && opened;
    }
    bool Insert(const std::vector<std::string>& paths) {
        bool inserted = false;
        return session.doc.InsertDisks(paths, [&inserted](bool done) { inserted = done; }) &&
               FinishJobs() && inserted;
    }
    // The start with `file` on the command line, once it has been read: whether it opened.
    bool OpenAtStartup(const std::string& file) {
        bool opened = false;
        session.OpenAtStartup(file, [&opened](bool done) { opened = done; });
        return FinishJobs() && opened;
    }

    CTempFolder folder;
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
    CCollSession session;
    std::unique_ptr<CCollFrame> frame;
};

// The middle of `row` of a table, in its viewport.
inline int RowY(CTableWnd& table, int row) {
    return table.GetHeaderHeight() + row * table.GetRowHeight() + table.GetRowHeight() / 2;
}
