// SPDX-License-Identifier: GPL-3.0-or-later
// The boundary every command runs behind, in the desktop program and in tamblor-cli: a failed
// file operation is reported with its own text, anything else as an internal error, and no
// exception gets past it into an event loop or out of main.
#pragma once

#include <functional>

// Runs `command`; false when it threw, after the failure was shown through ShowMessage.
bool RunCommand(const std::function<void()>& command);
