// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_guard.h"

#include <exception>

#include "platform/file_exception.h"
#include "shell/show_message.h"

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const CFileException& error) {
        ReportFileException(error);
    } catch (...) {
        // Whatever it was, the program goes on: the command is abandoned where it stood.
        ShowMessage("Internal application error.");
    }
    return false;
}
