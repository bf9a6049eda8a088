// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/name_text.h"

namespace {

// 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t Windows1252Char(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        std::size_t length = 0;
        if (DecodeUtf8(text, at, length) < 0) {
            return false;
        }
        at += length;
    }
    return true;
}

void AppendNameText(std::string_view bytes, std::string& out) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t run = at;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) {
            ++run;
        }
        out.append(bytes.substr(at, run - at));
        if (run == bytes.size()) {
            return;
        }
        std::size_t length = 1;
        char32_t code = NameChar(bytes, run, length);
        if (length > 1) {
            out.append(bytes.substr(run, length));
        } else {
            AppendUtf8(code, out);
        }
        at = run + length;
    }
}

std::string NameText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    AppendNameText(bytes, text);
    return text;
}
