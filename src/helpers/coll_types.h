// SPDX-License-Identifier: GPL-3.0-or-later
// The value types every part of the catalogue shares: 32-bit times and the field ids that
// name a displayable, sortable attribute.
#pragma once

#include <cstdint>

// Seconds since 1970-01-01 00:00:00 UTC, as the index files store them.
using Time32 = std::int32_t;

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

// A file-system time in seconds as a Time32: before 1900 (local) gives 0, anything else
// outside 1970..2038 gives -1.
Time32 ToTime32(std::int64_t seconds);
// The current time as a Time32.
Time32 CurrentTime32();
