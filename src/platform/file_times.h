// SPDX-License-Identifier: GPL-3.0-or-later
// The times a file system records for a file, as the collection properties show them.
#pragma once

#include <cstdint>
#include <string>

struct CFileTimes {
    // Seconds since 1970-01-01 00:00:00 UTC. The birth time where the file system records
    // one, else the last-write time.
    std::int64_t creation = 0;
    std::int64_t modification = 0;
};

// Follows symbolic links; false, with errno set, when the file cannot be looked at.
bool GetFileTimes(const std::string& path, CFileTimes& times);
