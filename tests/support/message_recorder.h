// SPDX-License-Identifier: GPL-3.0-or-later
// Collects the messages the program shows while it is alive, instead of printing them.
#pragma once

#include <string>
#include <vector>

#include "shell/message_sink.h"

class CMessageRecorder {
public:
    CMessageRecorder() {
        previous = SetMessageSink([this](const std::string& text) { messages.push_back(text); });
    }
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;
    ~CMessageRecorder() { SetMessageSink(previous); }

    std::vector<std::string> messages;

private:
    MessageSink previous;
};
