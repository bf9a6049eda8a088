// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's messages go: the desktop program shows a message box, the command line
// prints to stderr, tests record. Installed once by whoever owns the process.
#pragma once

#include <functional>
#include <string>

using MessageSink = std::function<void(const std::string& text)>;

// Installs a sink and returns the previous one, so a test can restore it.
MessageSink SetMessageSink(MessageSink sink);
void EmitMessage(const std::string& text);
