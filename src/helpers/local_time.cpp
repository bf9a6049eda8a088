// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/local_time.h"

#include <charconv>
#include <cstdint>

namespace {

bool ParseNumber(const std::string& text, std::size_t at, std::size_t length, int& out) {
    if (at + length > text.size()) {
        return false;
    }
    const char* first = text.data() + at;
    auto [end, error] = std::from_chars(first, first + length, out);
    return error == std::errc() && end == first + length;
}

// `when` in local time as seconds since 1970; false for a day that does not exist (mktime
// moves 30 February to March).
bool MakeLocalTime(std::tm when, Time64& out) {
    when.tm_isdst = -1;
    std::tm asked = when;
    std::time_t local = std::mktime(&when);
    if (when.tm_year != asked.tm_year || when.tm_mon != asked.tm_mon ||
        when.tm_mday != asked.tm_mday) {
        return false;
    }
    out = static_cast<Time64>(local);
    return true;
}

}  // namespace

bool ParseLocalTime(const std::string& text, const std::tm& timeOfDay, bool allowTime,
                    Time64& out) {
    std::tm when{};
    int year = 0;
    int month = 0;
    bool withTime = allowTime && text.size() == 19;
    if ((text.size() != 10 && !withTime) || text[4] != '-' || text[7] != '-' ||
        !ParseNumber(text, 0, 4, year) || !ParseNumber(text, 5, 2, month) ||
        !ParseNumber(text, 8, 2, when.tm_mday)) {
        return false;
    }
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    if (withTime) {
        if (text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
            !ParseNumber(text, 11, 2, when.tm_hour) || !ParseNumber(text, 14, 2, when.tm_min) ||
            !ParseNumber(text, 17, 2, when.tm_sec)) {
            return false;
        }
    } else {
        when.tm_hour = timeOfDay.tm_hour;
        when.tm_min = timeOfDay.tm_min;
        when.tm_sec = timeOfDay.tm_sec;
    }
    return MakeLocalTime(when, out);
}

bool GetLocalDayBounds(int year, int month, int day, Time64& first, Time64& last) {
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = 23;
    when.tm_min = 59;
    when.tm_sec = 59;
    std::tm morning = when;
    morning.tm_hour = 0;
    morning.tm_min = 0;
    morning.tm_sec = 0;
    return MakeLocalTime(morning, first) && MakeLocalTime(when, last);
}
