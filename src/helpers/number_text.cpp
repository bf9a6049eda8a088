// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/number_text.h"

#include <charconv>

std::string GroupDigits(const std::string& digits, const std::string& separator) {
    std::string grouped;
    std::size_t length = digits.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[i];
    }
    return grouped;
}

namespace {

// Groups only the digits, so "-123456" does not become "-,123,456".
std::string GroupSigned(const std::string& text) {
    if (!text.empty() && text[0] == '-') {
        return "-" + GroupDigits(text.substr(1));
    }
    return GroupDigits(text);
}

}  // namespace

std::string FormatNumber(std::int64_t value) {
    return GroupSigned(std::to_string(value));
}

std::string FormatByteCount(std::uint64_t bytes) {
    return GroupDigits(std::to_string(bytes));
}
