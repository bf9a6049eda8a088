// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing UTF-8 text one character at a time, and cutting text that is stored in
// fixed-size fields without splitting a character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The code point of the UTF-8 sequence at `at` (a byte from 0x80 up) and its `length` in
// bytes, or -1 when the bytes there are not one: overlong forms, surrogates and code points
// past 0x10FFFF are not. Inline, as the search lowers names with it.
inline std::int32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
    auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::int32_t code;
    std::int32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return -1;
    }
    if (at + length > text.size()) {
        return -1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return -1;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return -1;
    }
    return code;
}

// Appends the UTF-8 form of the code point `code` (at most 0x10FFFF).
inline void AppendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the longest prefix of `text` of at most `limit` bytes that does not split a
// UTF-8 character (text that is not UTF-8 is cut at `limit`).
std::size_t CharacterPrefix(const std::string& text, std::size_t limit);
