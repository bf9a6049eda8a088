// SPDX-License-Identifier: GPL-3.0-or-later
// ASCII letter case, hexadecimal digits and decimal numbers in text, shared by everything that
// reads settings, masks and titles; bytes from 0x80 up are left as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a hexadecimal digit, either case; -1 for any other byte.
inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string LowerAsciiText(std::string text);
std::string UpperAsciiText(std::string text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The leading decimal integer of a text as atoi reads it: any of `blanks`, an optional sign,
// then the digits up to the first other byte (none read as 0). The readers differ only in
// what they do with a number too large for them, so both answers are kept.
struct CLeadingInteger {
    bool negative = false;
    std::uint64_t magnitude = 0;  // modulo 2^64
    bool overflowed = false;      // the digits did not fit in 64 bits

    // The value, held at the limits of 64 bits.
    std::int64_t Saturated() const;
    // The value modulo 2^32, as a wrapping 32-bit reader gives it.
    std::int32_t Wrapped32() const;
};
CLeadingInteger ReadLeadingInteger(std::string_view text, std::string_view blanks);
