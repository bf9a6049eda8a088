// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_output.h"

#include "platform/utf8_text.h"

namespace {

const char hexDigits[] = "0123456789ABCDEF";
const char jsonHexDigits[] = "0123456789abcdef";

void AppendPercent(std::string& out, unsigned char byte) {
    out += '%';
    out += hexDigits[byte >> 4];
    out += hexDigits[byte & 0x0F];
}

// Which bytes a name (or, with ':', a title) cannot show as they are, looked up by value.
struct CEscapeTable {
    constexpr explicit CEscapeTable(bool isTitle) {
        for (int byte = 0; byte < 0x20; ++byte) {
            escaped[byte] = true;
        }
        escaped[0x7F] = escaped['%'] = escaped['\\'] = true;
        escaped[':'] = isTitle;
    }
    bool escaped[256] = {};
};
constexpr CEscapeTable nameEscapes(false);
constexpr CEscapeTable titleEscapes(true);

// Runs of bytes that stay as they are go out in one append: a search may print millions of
// names, nearly all of them with nothing to escape.
void AppendEscaped(std::string& out, std::string_view text, bool isTitle) {
    const bool* escaped = isTitle ? titleEscapes.escaped : nameEscapes.escaped;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (escaped[byte]) {
            out.append(text.data() + start, i - start);
            AppendPercent(out, byte);
            start = i + 1;
        }
    }
    out.append(text.data() + start, text.size() - start);
}

std::string Escape(std::string_view text, bool isTitle) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text, isTitle);
    return out;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0. Overlong forms, surrogates and
// code points above U+10FFFF are not well formed: their bytes are escaped one by one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    std::size_t length = 0;
    return DecodeUtf8(text, at, length) < 0 ? 0 : length;
}

}  // namespace

std::string EscapeName(std::string_view name) {
    return Escape(name, false);
}

std::string EscapeTitle(std::string_view title) {
    return Escape(title, true);
}

void AppendEscapedName(std::string& out, std::string_view name) {
    AppendEscaped(out, name, false);
}

void AppendEscapedCataloguePath(std::string& out, const CCataloguePath& path) {
    AppendEscaped(out, path.title, true);
    out += ':';
    for (const std::string& name : path.names) {
        out += '\\';
        AppendEscaped(out, name, false);
    }
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t at = 0;
    while (at < text.size()) {
        auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80) {
            std::size_t length = Utf8Length(text, at);
            if (length == 0) {
                out += "\\udc";
                out += jsonHexDigits[byte >> 4];
                out += jsonHexDigits[byte & 0x0F];
                ++at;
            } else {
                out.append(text.substr(at, length));
                at += length;
            }
            continue;
        }
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\u00";
            out += jsonHexDigits[byte >> 4];
            out += jsonHexDigits[byte & 0x0F];
        } else {
            out += static_cast<char>(byte);
        }
        ++at;
    }
    out += '"';
}

void CJsonLine::Key(const char* key) {
    if (line.size() > 1) {
        line += ',';
    }
    AppendJsonString(line, key);
    line += ':';
}

CJsonLine& CJsonLine::Add(const char* key, std::string_view text) {
    Key(key);
    AppendJsonString(line, text);
    return *this;
}

CJsonLine& CJsonLine::Add(const char* key, std::int64_t number) {
    Key(key);
    line += std::to_string(number);
    return *this;
}

CJsonLine& CJsonLine::Add(const char* key, std::uint64_t number) {
    Key(key);
    line += std::to_string(number);
    return *this;
}

CJsonLine& CJsonLine::Add(const char* key, const std::vector<std::string>& texts) {
    Key(key);
    line += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendJsonString(line, texts[i]);
    }
    line += ']';
    return *this;
}

void CJsonLine::Print(std::FILE* stream) {
    line += '}';
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stream);
    line.assign(1, '{');
}
