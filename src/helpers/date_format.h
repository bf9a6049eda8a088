// SPDX-License-Identifier: GPL-3.0-or-later
// The two ways a date is shown and typed, month first or day first. Exactly two formats exist
// for the whole run; callers hold pointers to them and compare those.
#pragma once

#include <string>

#include "helpers/coll_types.h"

class CDateFormat {
public:
    CDateFormat(const CDateFormat&) = delete;
    CDateFormat& operator=(const CDateFormat&) = delete;

    // "mm/dd/yyyy" or "dd/mm/yyyy", ignoring case; null for anything else.
    static const CDateFormat* FindByName(const std::string& text);
    // 0 month first, 1 day first; null for any other kind.
    static const CDateFormat* ByKind(int kind);
    static const CDateFormat& MonthFirst() { return monthFirst; }
    static const CDateFormat& DayFirst() { return dayFirst; }

    int GetKind() const { return kind; }
    // What the settings store and the settings dialog list.
    std::string GetName() const;

    // The local date with a two-digit year ("12/25/06"), or four digits where two would read
    // back as another year ("12/25/2040"); empty for the unknown time or one that cannot be
    // converted.
    std::string Format(Time64 time) const;
    // Reads a typed date as noon local time of that day. Three fields separated by runs of
    // "/", "\" or blanks; the year has two digits (70..99 for 1970..1999, 00..30 for
    // 2000..2030) or up to four. Days past the month's end roll into the next month.
    bool Parse(const std::string& text, Time32& time) const;

private:
    constexpr explicit CDateFormat(int kind) : kind(kind) {}

    static const CDateFormat monthFirst;
    static const CDateFormat dayFirst;

    int kind;
};

// `time` in local time by a strftime `pattern` whose "%y" is a two-digit year, which becomes
// four digits where two would read back as another year (outside 1970..2030), so that no
// shown date is ambiguous. Empty for the unknown time or one that cannot be converted.
std::string FormatShortTime(Time64 time, const char* pattern);
