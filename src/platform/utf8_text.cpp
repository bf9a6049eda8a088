// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/utf8_text.h"

std::size_t CharacterPrefix(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    auto isContinuation = [&text](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t cut = limit;
    while (cut > 0 && limit - cut < 3 && isContinuation(cut)) {
        --cut;
    }
    // Bytes that are not UTF-8 have no boundary to find; cut them where the limit falls.
    return isContinuation(cut) ? limit : cut;
}
