#include "search/text_lower.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>

namespace {

locale_t Utf8Locale() {
    static locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

// The code point of the UTF-8 sequence at `at`, or -1 when the bytes there are not one.
std::int32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
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

void AppendUtf8(std::int32_t code, std::string& out) {
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

// Windows-1252 upper-case letters and their lower-case partners.
unsigned char LowerCp1252(unsigned char c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

}  // namespace

void LowerText(std::string_view text, std::string& out) {
    out.resize(text.size());
    std::size_t at = 0;
    // Most names are ASCII: lower them in place without decoding.
    for (; at < text.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            break;
        }
        out[at] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    if (at == text.size()) {
        return;
    }
    out.resize(at);
    locale_t locale = Utf8Locale();
    while (at < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            ++at;
            continue;
        }
        std::size_t length = 1;
        std::int32_t code = DecodeUtf8(text, at, length);
        if (code < 0) {
            out += static_cast<char>(LowerCp1252(c));
            ++at;
            continue;
        }
        if (locale != static_cast<locale_t>(nullptr)) {
            code = static_cast<std::int32_t>(::towlower_l(static_cast<wint_t>(code), locale));
        }
        AppendUtf8(code, out);
        at += length;
    }
}
