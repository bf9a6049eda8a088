// SPDX-License-Identifier: GPL-3.0-or-later
// Names as text: the bytes a disk gave a name become the characters the user sees, types into
// a search and finds on an exported page. Valid UTF-8 stands as it is; a byte that is not part
// of a UTF-8 character is the Windows-1252 character it would be on the other platform, so
// catalogues made there read as they did there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/utf8_text.h"

// The Windows-1252 character of a byte from 0x80 up. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are the C1 controls of the same number, as the other
// platform's own conversion gives them, so that no two names read alike.
char32_t Windows1252Char(unsigned char byte);

// The character at `at` (not ASCII) by the rule above and how many bytes it took. The rule
// looks at one character at a time, so a name that mixes UTF-8 with stray bytes keeps its
// UTF-8 and a path reads as its names joined. Inline, as the search lowers names with it.
inline char32_t NameChar(std::string_view text, std::size_t at, std::size_t& length) {
    std::int32_t code = DecodeUtf8(text, at, length);
    if (code >= 0) {
        return static_cast<char32_t>(code);
    }
    length = 1;
    return Windows1252Char(static_cast<unsigned char>(text[at]));
}

// Whether `text` is strict UTF-8, which the rule leaves as it is.
bool IsValidUtf8(std::string_view text);

// Appends `bytes` as valid UTF-8 by the rule above.
void AppendNameText(std::string_view bytes, std::string& out);
// `bytes` as valid UTF-8 by the rule above; valid UTF-8 comes back unchanged.
std::string NameText(std::string_view bytes);
