// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a test in a chosen time zone and puts the process's zone back afterwards, since dates
// are parsed and shown in local time.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class CTimeZone {
public:
    explicit CTimeZone(const char* zone) { Set(zone); }
    CTimeZone(const CTimeZone&) = delete;
    CTimeZone& operator=(const CTimeZone&) = delete;
    ~CTimeZone() { Set(saved ? saved->c_str() : nullptr); }

    static void Set(const char* zone) {
        zone != nullptr ? ::setenv("TZ", zone, 1) : ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> saved =
        std::getenv("TZ") != nullptr ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};
