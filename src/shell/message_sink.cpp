// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/message_sink.h"

#include <cstdio>
#include <utility>

namespace {

void WriteToStderr(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

MessageSink& CurrentSink() {
    static MessageSink sink = WriteToStderr;
    return sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
    MessageSink previous = std::move(CurrentSink());
    CurrentSink() = sink ? std::move(sink) : MessageSink(WriteToStderr);
    return previous;
}

void EmitMessage(const std::string& text) {
    CurrentSink()(text);
}
