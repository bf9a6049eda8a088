// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/coll_types.h"

#include <ctime>
#include <limits>

Time32 ToTime32(std::int64_t seconds) {
    if (seconds >= 0 && seconds <= std::numeric_limits<Time32>::max()) {
        return static_cast<Time32>(seconds);
    }
    if (seconds < 0) {
        std::time_t when = static_cast<std::time_t>(seconds);
        std::tm local{};
        if (::localtime_r(&when, &local) == nullptr || local.tm_year < 0) {
            return 0;
        }
    }
    return -1;
}

Time32 CurrentTime32() {
    return ToTime32(static_cast<std::int64_t>(std::time(nullptr)));
}
