#include "toolkit/ui/display_text.h"

#include <cstddef>

#include "platform/utf8_text.h"

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text) {
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

// 0x80..0x9F of Windows-1252; the five bytes it leaves undefined map to the C1 controls, as
// the other platform's own conversion does.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString DisplayText(const std::string& text) {
    if (IsValidUtf8(text)) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    QString decoded(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = decoded.data();
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252High[byte - 0x80]) : QChar(byte);
    }
    return decoded;
}
