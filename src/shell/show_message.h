// SPDX-License-Identifier: GPL-3.0-or-later
// Where the desktop program's command layer and tamblor-cli's main show what went wrong:
// printf-style text, or the problems the core handed back, given to the message sink.
#pragma once

#include <string>

void ShowMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The standard report of a failed file operation.
class CFileException;
void ReportFileException(const CFileException& error);
// Each problem in turn, as the operation found them.
class CProblems;
void ShowProblems(const CProblems& problems);
// Shows what went wrong; true when nothing did.
class CResult;
bool ReportResult(const CResult& result);
