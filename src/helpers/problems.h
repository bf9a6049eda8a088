// SPDX-License-Identifier: GPL-3.0-or-later
// What went wrong in an operation of the core, handed back as a value: the core shows and
// prints nothing, its caller decides where the messages go (a message box, stderr, a test's
// check). Problems keep the order they arose in; each is the text the user reads, and a failed
// file operation keeps its error too (cause, path, errno).
#pragma once

#include <cstdarg>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_exception.h"

struct CProblem {
    std::string text;
    std::optional<CFileException> fileError;
};

class CProblems {
public:
    // printf-style, as the program's messages are written.
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A failed file operation, reported in its standard words.
    void Add(const CFileException& error);
    void Append(const CProblems& other);

    bool IsEmpty() const { return list.empty(); }
    const std::vector<CProblem>& GetList() const { return list; }
    // The texts in order, for the command line and tests.
    std::vector<std::string> GetTexts() const;

private:
    std::vector<CProblem> list;
};

// What an operation that may fail hands back: true when it succeeded, else what went wrong.
class [[nodiscard]] CResult {
public:
    CResult() = default;
    explicit CResult(CProblems failure) : problems(std::move(failure)) {}
    explicit CResult(const CFileException& error) { problems.Add(error); }

    explicit operator bool() const { return problems.IsEmpty(); }
    const CProblems& GetProblems() const { return problems; }

private:
    CProblems problems;
};

// A printf-style text as a string, of any length.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatTextList(const char* format, va_list args);
