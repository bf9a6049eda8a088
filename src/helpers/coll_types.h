// SPDX-License-Identifier: GPL-3.0-or-later
// The value types every part of the catalogue shares: times and the field ids that name a
// displayable, sortable attribute.
#pragma once

#include <cstdint>
#include <limits>

// Seconds since 1970-01-01 00:00:00 UTC, before it too, as the catalogue holds them.
using Time64 = std::int64_t;
// The same in 32 bits, as an index file's header and records keep them.
using Time32 = std::int32_t;

// A time that was never known: the entry could not be looked at, or an index file holds -1.
// Tables show it empty and no date search finds it.
constexpr Time64 unknownTime = std::numeric_limits<Time64>::min();

enum FieldId : int {
    FieldName = 0,
    FieldCreation = 1,
    FieldAccess = 2,
    FieldModify = 3,
    FieldSize = 4,
    FieldType = 5,
    FieldBurnDate = 6,
    FieldPath = 7,
    FieldFiles = 8,
    FieldFolders = 9,
};

// -1, 0 or 1 as a is smaller than, equal to or greater than b.
inline int CompareNumbers(std::int64_t a, std::int64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// A time as a record's 32-bit field keeps it: before 1900 (local) gives 0, an unknown time and
// anything else outside 1970..2038 give -1.
Time32 ToTime32(Time64 seconds);
// A record's 32-bit field as a time: a negative one is unknown.
inline Time64 FromTime32(Time32 stored) {
    return stored < 0 ? unknownTime : stored;
}
// Whether the 32-bit field keeps `time` as it is.
inline bool FitsTime32(Time64 time) {
    return time >= 0 && time <= std::numeric_limits<Time32>::max();
}
// The current time.
Time64 CurrentTime();
