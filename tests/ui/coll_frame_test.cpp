// The main window over a real collection: the browse panel following the document, the
// commands' enabling, the window title, and pictures of it for people to look at.

#include "shell/ui/coll_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "platform/profile.h"
#include "shell/coll_session.h"
#include "shell/ui/coll_browse_panel.h"
#include "shell/ui/coll_disks_ctrl.h"
#include "shell/ui/coll_files_ctrl.h"
#include "shell/ui/coll_folder_tree.h"
#include "shell/ui/coll_view.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_item.h"
#include "support/message_recorder.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

namespace {

const std::string samplePath = std::string(TAMBLOR_SOURCE_DIR) + "/examples/Sample.col";

// A session on a profile in a temporary folder, with its main window.
struct CProgram {
    CProgram() {
        session.Load(folder.Path() + "/Tamblor.ini");
        frame = std::make_unique<CCollFrame>(session);
        frame->resize(1000, 700);
    }
    CCollBrowsePanel& Browse() { return frame->GetView().GetBrowsePanel(); }

    CTempFolder folder;
    CScriptedPlatformUi ui;
    CMessageRecorder messages;
    CCollSession session;
    std::unique_ptr<CCollFrame> frame;
};

}  // namespace

TEST(CollFrame, Screenshot) {
    QString out = qEnvironmentVariable("TAMBLOR_SCREENSHOTS");
    if (out.isEmpty()) {
        GTEST_SKIP() << "TAMBLOR_SCREENSHOTS is not set";
    }
    CProgram program;
    program.frame->show();
    ASSERT_TRUE(program.session.OpenAtStartup(samplePath));
    CCollDoc& doc = program.session.doc;
    doc.SelectDisk(doc.collection.disks[3]);
    program.Browse().GetDisksCtrl().ShowRow(3);
    QTreeWidget& tree = program.Browse().GetFolderTree();
    if (tree.topLevelItem(0) != nullptr && tree.topLevelItem(0)->childCount() > 0) {
        tree.setCurrentItem(tree.topLevelItem(0)->child(0));
        tree.topLevelItem(0)->child(0)->setExpanded(true);
    }
    program.Browse().GetFilesCtrl().ShowRow(1);
    QApplication::processEvents();
    EXPECT_TRUE(program.frame->grab().save(out + "/main_window.png"));
}
