// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "platform/ui/dialog_path.h"
#include "platform/ui/qt_platform_ui.h"
#include "support/scripted_platform_ui.h"
#include "support/temp_folder.h"

TEST(PlatformUi, ScriptedAnswersAreUsedInOrderAndCancelWhenExhausted) {
    CScriptedPlatformUi scripted;
    EXPECT_EQ(GetPlatformUi(), &scripted);
    scripted.answers = {CPlatformUi::Answer::retry, CPlatformUi::Answer::ok};
    EXPECT_EQ(GetPlatformUi()->AskRetryCancel("Failed opening folder /dev/cdrom"),
              CPlatformUi::Answer::retry);
    EXPECT_EQ(GetPlatformUi()->AskOkCancel("Insert disk"), CPlatformUi::Answer::ok);
    EXPECT_EQ(GetPlatformUi()->AskYesNoCancel("Save changes to a.col?"),
              CPlatformUi::Answer::cancel);
    EXPECT_EQ(scripted.calls.size(), 3u);
    EXPECT_EQ(scripted.calls[0], "retry-cancel: Failed opening folder /dev/cdrom");
}

namespace {

// Answers the file dialog that the next event loop opens: notes what its name field shows,
// puts `typed` there when given, and accepts it.
void AnswerFileDialog(QString& shown, const QString& typed = QString()) {
    QTimer::singleShot(0, [&shown, typed] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
            shown = name->text();
            if (!typed.isEmpty()) {
                name->setText(typed);
            }
        }
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

// Qt cannot hold a path that is not UTF-8: the save dialog is shown it as names read, and
// what it gives back is turned into the bytes it stood for, whatever of it the user kept.
TEST(PlatformUi, TheSaveDialogGivesBackTheBytesOfTheFolderAndNameItProposed) {
    CTempFolder folder;
    std::string codePage = folder.Path("\xC9t\xE9");
    std::string utf8 = folder.Path("Lists");
    std::filesystem::create_directory(codePage);
    std::filesystem::create_directory(utf8);
    CQtPlatformUi ui;
    CFileDialogOptions options;
    options.title = "Save As";
    options.filterName = "Collection files";
    options.filterPattern = "*.col";
    options.confirmOverwrite = true;
    options.initialName = "bad\xFF\xFE.col";

    // A folder Qt can enter shows the name alone; one it cannot, the rest of the path.
    for (const std::string& start : {utf8, codePage}) {
        SCOPED_TRACE(start);
        options.initialFolder = start + "/";
        QString shown;
        std::string path;
        AnswerFileDialog(shown);
        ASSERT_TRUE(ui.ChooseSaveFile(options, path));
        EXPECT_TRUE(shown.endsWith(QString::fromUtf8("badÿþ.col")));
        EXPECT_EQ(path, start + "/bad\xFF\xFE.col");
    }
    QString shown;
    std::string path;
    AnswerFileDialog(shown, QString::fromUtf8("Été/new ÿ.col"));
    ASSERT_TRUE(ui.ChooseSaveFile(options, path));
    EXPECT_EQ(shown, QString::fromUtf8("Été/badÿþ.col"));
    EXPECT_EQ(path, codePage + "/new \xC3\xBF.col");

    // Paths the dialog was never shown are the bytes Qt gives them.
    EXPECT_EQ(ChosenPathBytes(QString::fromUtf8("/elsewhere/Été.col"), codePage + "/a.col"),
              "/elsewhere/\xC3\x89t\xC3\xA9.col");
    EXPECT_EQ(ChosenPathBytes(QString::fromUtf8("rel/x"), "/abs/x"), "rel/x");
    EXPECT_EQ(ChosenPathBytes("/", ""), "/");
}
