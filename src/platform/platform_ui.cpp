// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform_ui.h"

namespace {

CPlatformUi* installed = nullptr;

}  // namespace

CPlatformUi* GetPlatformUi() {
    return installed;
}

CPlatformUi* SetPlatformUi(CPlatformUi* ui) {
    CPlatformUi* previous = installed;
    installed = ui;
    return previous;
}
