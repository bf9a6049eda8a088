// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the main window as the guide lists them: each one is the first key of its
// command, so the menu shows it, and pressing it runs the command.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/program_window.h"

namespace {

std::string ReadGuide() {
    std::ifstream in(std::string(TAMBLOR_SOURCE_DIR) + "/resources/Tamblor.html");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

QAction* ActionNamed(CCollFrame& frame, const QString& name) {
    for (QAction* action : frame.findChildren<QAction*>()) {
        if (QString(action->text()).remove('&') == name && !action->shortcuts().isEmpty()) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

TEST(CommandKeys, EveryMainWindowKeyOfTheGuideIsTheFirstKeyOfItsCommand) {
    CProgramWindow program;
    QString guide = QString::fromStdString(ReadGuide());
    QRegularExpression row(R"(<th scope="row">Main window</th><td>(.*?)</td><td>(.*?)</td></tr>)");
    QRegularExpression kbd("<kbd>(.*?)</kbd>");
    QRegularExpression name(R"(<span class="ui">(.*?)</span>)");
    int checked = 0;
    for (const QRegularExpressionMatch& match : row.globalMatch(guide)) {
        QStringList keys;
        for (const QString& combination : match.captured(1).split(", ")) {
            QStringList parts;
            for (const QRegularExpressionMatch& part : kbd.globalMatch(combination)) {
                parts << part.captured(1);
            }
            keys << parts.join('+');
        }
        QStringList names;
        for (const QRegularExpressionMatch& part : name.globalMatch(match.captured(2))) {
            names << part.captured(1);
        }
        if (names.isEmpty()) {
            continue;  // a key of the widgets, not of a command
        }
        ASSERT_EQ(keys.size(), names.size()) << match.captured(0).toStdString();
        for (qsizetype i = 0; i < keys.size(); ++i) {
            SCOPED_TRACE(names[i].toStdString());
            QAction* action = ActionNamed(*program.frame, names[i]);
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(action->shortcut(),
                      QKeySequence::fromString(keys[i], QKeySequence::PortableText));
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8);
}

TEST(CommandKeys, CtrlShiftSAsksWhereToSaveTheCollection) {
    CProgramWindow program;
    program.frame->show();
    program.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(program.frame.get()));
    QTest::keyClick(program.frame.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(program.ui.fileDialogs.size(), 1u);
    EXPECT_EQ(program.ui.calls.front().rfind("save: ", 0), 0u);
}
