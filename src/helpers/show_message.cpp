// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/show_message.h"

#include <cstdarg>
#include <cstdio>

#include "helpers/problems.h"
#include "platform/file_exception.h"
#include "platform/message_sink.h"

void ShowMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): started on the line above
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        va_start(args, format);
        std::vsnprintf(text.data(), text.size(), format, args);
        va_end(args);
        text.resize(static_cast<std::size_t>(length));
    }
    EmitMessage(text);
}

void ReportFileException(const CFileException& error) {
    EmitMessage(error.GetErrorMessage());
}

void ShowProblems(const CProblems& problems) {
    for (const CProblem& problem : problems.GetList()) {
        EmitMessage(problem.text);
    }
}

bool ReportResult(const CResult& result) {
    ShowProblems(result.GetProblems());
    return static_cast<bool>(result);
}
