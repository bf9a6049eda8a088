// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/date_format.h"

#include <cstdint>
#include <ctime>
#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

#include "platform/ascii_text.h"

namespace {

struct CFormatTraits {
    const char* name;
    const char* display;
};

constexpr CFormatTraits traits[] = {
    {"mm/dd/yyyy", "%m/%d/%y"},
    {"dd/mm/yyyy", "%d/%m/%y"},
};

bool IsSeparator(char c) {
    return c == '/' || c == '\\' || c == ' ';
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string::size_type at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsSeparator(text[at])) {
            ++at;
        }
        std::string::size_type end = at;
        while (end < text.size() && !IsSeparator(text[end])) {
            ++end;
        }
        if (end > at) {
            fields.push_back(text.substr(at, end - at));
        }
        at = end;
    }
    return fields;
}

// The field's leading decimal integer, 0 when it has none. Blanks and a sign may precede the
// digits; a field is at most ten characters, so 64 bits cannot overflow.
std::int64_t LeadingInteger(const std::string& field) {
    return ReadLeadingInteger(field, "\t\n\v\f\r").Saturated();
}

bool ReadYear(const std::string& field, int& year) {
    if (field.size() < 2 || field.size() > 4) {
        return false;
    }
    std::int64_t value = LeadingInteger(field);
    if (value < 0) {
        return false;
    }
    if (field.size() == 2) {
        // The tables show two-digit years, so each one shown must read back as itself.
        if (value <= 30) {
            value += 2000;
        } else if (value >= 70) {
            value += 1900;
        } else {
            return false;
        }
    }
    // Before 1970 is refused by the year, not left to mktime: twelve hours west of UTC, noon of
    // 31 December 1969 is time 0, which would then be shown as a year no one can type.
    if (value < 1970 || value > 2030) {
        return false;
    }
    year = static_cast<int>(value);
    return true;
}

}  // namespace

constinit const CDateFormat CDateFormat::monthFirst{0};
constinit const CDateFormat CDateFormat::dayFirst{1};

const CDateFormat* CDateFormat::FindByName(const std::string& text) {
    if (EqualsIgnoringAsciiCase(text, traits[1].name)) {
        return &dayFirst;
    }
    if (EqualsIgnoringAsciiCase(text, traits[0].name)) {
        return &monthFirst;
    }
    return nullptr;
}

const CDateFormat* CDateFormat::ByKind(int kind) {
    switch (kind) {
        case 0:
            return &monthFirst;
        case 1:
            return &dayFirst;
        default:
            return nullptr;
    }
}

std::string CDateFormat::GetName() const {
    return traits[kind].name;
}

std::string CDateFormat::Format(Time64 time) const {
    return FormatShortTime(time, traits[kind].display);
}

std::string FormatShortTime(Time64 time, const char* pattern) {
    std::time_t when = static_cast<std::time_t>(time);
    std::tm local{};
    if (time == unknownTime || ::localtime_r(&when, &local) == nullptr) {
        return std::string();
    }
    int year = local.tm_year + 1900;
    std::string wide;
    if (year < 1970 || year > 2030) {
        wide = pattern;
        for (std::size_t at = wide.find("%y"); at != std::string::npos; at = wide.find("%y", at)) {
            wide[at + 1] = 'Y';
        }
        pattern = wide.c_str();
    }
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&local, pattern);
    return text.fail() ? std::string() : text.str();
}

bool CDateFormat::Parse(const std::string& text, Time32& time) const {
    if (text.size() < 6 || text.size() > 10) {
        return false;
    }
    std::vector<std::string> fields = SplitFields(text);
    if (fields.size() < 3) {
        return false;
    }
    std::int64_t day = LeadingInteger(fields[kind == 0 ? 1 : 0]);
    std::int64_t month = LeadingInteger(fields[kind == 0 ? 0 : 1]);
    int year = 0;
    if (day < 1 || day > 31 || month < 1 || month > 12 || !ReadYear(fields[2], year)) {
        return false;
    }
    std::tm local{};
    local.tm_mday = static_cast<int>(day);
    local.tm_mon = static_cast<int>(month) - 1;
    local.tm_year = year - 1900;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    std::time_t when = std::mktime(&local);
    // mktime here reaches back before 1970, where index times cannot go; -1 is also its
    // failure value.
    if (when < 0 || when > std::numeric_limits<Time32>::max()) {
        return false;
    }
    time = static_cast<Time32>(when);
    return true;
}
