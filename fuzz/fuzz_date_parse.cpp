// SPDX-License-Identifier: GPL-3.0-or-later
// Typed dates in both formats, in a time zone the sum of the input's bytes picks. Whatever parses
// is noon of a day in 1970..2030, is shown as a text, and that text parses back to the same day.

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <string>

#include "fuzz_support.h"
#include "helpers/date_format.h"

namespace {

// Zones at the ends of the offsets, with summer time, and one that skipped a whole day.
const char* const zones[] = {
    "UTC0",          "Etc/GMT+12",      "Pacific/Kiritimati", "Pacific/Apia", "America/Sao_Paulo",
    "Europe/Berlin", "America/St_Johns"};

std::tm LocalDay(Time32 time) {
    std::time_t when = time;
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) {
        std::abort();
    }
    return local;
}

void Check(const CDateFormat& format, const std::string& text) {
    Time32 parsed = 0;
    if (!format.Parse(text, parsed)) {
        return;
    }
    std::tm day = LocalDay(parsed);
    if (day.tm_year < 70 || day.tm_year > 130) {
        std::abort();
    }
    std::string shown = format.Format(parsed);
    Time32 again = 0;
    if (shown.empty() || !format.Parse(shown, again)) {
        std::abort();
    }
    std::tm dayAgain = LocalDay(again);
    if (dayAgain.tm_year != day.tm_year || dayAgain.tm_mon != day.tm_mon ||
        dayAgain.tm_mday != day.tm_mday) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* zone = nullptr;
    std::size_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        sum += data[i];
    }
    const char* wanted = zones[sum % std::size(zones)];
    if (wanted != zone) {
        zone = wanted;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    std::string text = InputText(data, size);
    Check(CDateFormat::MonthFirst(), text);
    Check(CDateFormat::DayFirst(), text);
    return 0;
}
