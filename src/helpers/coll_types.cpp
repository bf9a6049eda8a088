// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/coll_types.h"

#include <ctime>
#include <limits>

Time32 ToTime32(Time64 seconds) {
    if (FitsTime32(seconds)) {
        return static_cast<Time32>(seconds);
    }
    if (seconds < 0 && seconds != unknownTime) {
        std::time_t when = static_cast<std::time_t>(seconds);
        std::tm local{};
        if (::localtime_r(&when, &local) == nullptr || local.tm_year < 0) {
            return 0;
        }
    }
    return -1;
}

Time64 CurrentTime() {
    return static_cast<Time64>(std::time(nullptr));
}
