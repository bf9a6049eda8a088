// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ascii_text.h"

#include <limits>

std::string LowerAsciiText(std::string text) {
    for (char& c : text) {
        c = LowerAscii(c);
    }
    return text;
}

std::string UpperAsciiText(std::string text) {
    for (char& c : text) {
        c = UpperAscii(c);
    }
    return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::int64_t CLeadingInteger::Saturated() const {
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    if (negative) {
        return overflowed || magnitude >= limit ? std::numeric_limits<std::int64_t>::min()
                                                : -static_cast<std::int64_t>(magnitude);
    }
    return overflowed || magnitude >= limit ? std::numeric_limits<std::int64_t>::max()
                                            : static_cast<std::int64_t>(magnitude);
}

std::int32_t CLeadingInteger::Wrapped32() const {
    auto low = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0U - low : low);
}

CLeadingInteger ReadLeadingInteger(std::string_view text, std::string_view blanks) {
    CLeadingInteger number;
    std::size_t at = 0;
    while (at < text.size() && blanks.find(text[at]) != std::string_view::npos) {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        auto digit = static_cast<std::uint64_t>(text[at] - '0');
        if (number.magnitude > (most - digit) / 10) {
            number.overflowed = true;
        }
        number.magnitude = number.magnitude * 10 + digit;
    }
    return number;
}
