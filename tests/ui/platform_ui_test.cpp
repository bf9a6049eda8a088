#include <gtest/gtest.h>

#include "platform/ui/qt_platform_ui.h"
#include "support/scripted_platform_ui.h"

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
