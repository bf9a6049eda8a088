// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted CPlatformUi that runs `onAsk` after each OK/Cancel question, as a user would
// change disks meanwhile: for the commands that ask for a disk in the drive.
#pragma once

#include <functional>
#include <string>

#include "support/scripted_platform_ui.h"

class CDiskSwapUi : public CScriptedPlatformUi {
public:
    Answer AskOkCancel(const std::string& text) override {
        Answer answer = CScriptedPlatformUi::AskOkCancel(text);
        if (onAsk) {
            onAsk();
        }
        return answer;
    }
    std::function<void()> onAsk;
};
