// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_exception.h"
#include "support/message_recorder.h"

TEST(CommandGuard, ShowsTheFileErrorOrAnInternalErrorAndLetsNothingThrough) {
    CMessageRecorder messages;
    bool ran = false;
    EXPECT_TRUE(RunCommand([&ran] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(messages.messages.empty());

    EXPECT_FALSE(RunCommand(
        [] { throw CFileException(CFileException::fileNotFound, "/media/cd/Box.cdi"); }));
    EXPECT_FALSE(RunCommand([] { throw std::runtime_error("vector too long"); }));
    EXPECT_FALSE(RunCommand([] { throw 42; }));
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"/media/cd/Box.cdi was not found.",
                                                           "Internal application error.",
                                                           "Internal application error."}));
}
