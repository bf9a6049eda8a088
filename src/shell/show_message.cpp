// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/show_message.h"

#include <cstdarg>
#include <cstdio>

#include "helpers/problems.h"
#include "platform/file_exception.h"
#include "shell/message_sink.h"

void ShowMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatTextList(format, args);
    va_end(args);
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
