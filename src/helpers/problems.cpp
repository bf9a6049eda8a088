// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/problems.h"

#include <cstdarg>
#include <cstdio>

std::string FormatTextList(const char* format, va_list args) {
    va_list counting;
    va_copy(counting, args);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): copied on the line above
    int length = std::vsnprintf(nullptr, 0, format, counting);
    va_end(counting);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<std::size_t>(length));
    }
    return text;
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatTextList(format, args);
    va_end(args);
    return text;
}

void CProblems::Add(const char* format, ...) {
    va_list args;
    va_start(args, format);
    list.push_back({FormatTextList(format, args), std::nullopt});
    va_end(args);
}

void CProblems::Add(const CFileException& error) {
    list.push_back({error.GetErrorMessage(), error});
}

void CProblems::Append(const CProblems& other) {
    list.insert(list.end(), other.list.begin(), other.list.end());
}

std::vector<std::string> CProblems::GetTexts() const {
    std::vector<std::string> texts;
    texts.reserve(list.size());
    for (const CProblem& problem : list) {
        texts.push_back(problem.text);
    }
    return texts;
}
