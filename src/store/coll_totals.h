// SPDX-License-Identifier: GPL-3.0-or-later
// Counts of a tree, and collection-wide counts added up from the disks' headers alone.
#pragma once

#include <cstdint>

// The files, folders and bytes of a tree, exact: a disk's, or a folder's subtree.
struct CDiskTotals {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
};

struct CCollTotals {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::int32_t disks = 0;
    std::uint64_t bytes = 0;
};
