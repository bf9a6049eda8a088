// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the tables and dialogs show them: digits in groups of three.
#pragma once

#include <cstdint>
#include <string>

// 1234567 gives "1,234,567"; the sign stays in front of the first group.
std::string FormatNumber(std::int64_t value);
// A count of bytes, of any size, grouped the same way.
std::string FormatByteCount(std::uint64_t bytes);
// Puts `separator` between groups of three characters counted from the right.
std::string GroupDigits(const std::string& digits, const std::string& separator = ",");
