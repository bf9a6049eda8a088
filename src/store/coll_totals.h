// SPDX-License-Identifier: GPL-3.0-or-later
// Collection-wide counts, added up from the disks' headers alone.
#pragma once

#include <cstdint>

struct CCollTotals {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::int32_t disks = 0;
    std::uint64_t bytes = 0;
};
