// SPDX-License-Identifier: GPL-3.0-or-later
// Collection-wide counts, added up from the disks' headers alone.
#pragma once

#include <cstdint>

struct CCollTotals {
    std::int32_t files = 0;
    std::int32_t folders = 0;
    std::int32_t disks = 0;
    // Each disk's byte total read as unsigned; a double holds any realistic sum exactly.
    double bytes = 0;
};
