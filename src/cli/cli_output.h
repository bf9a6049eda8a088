// SPDX-License-Identifier: GPL-3.0-or-later
// How tamblor-cli prints names: text fields with the bytes that would break or forge a line
// percent-escaped, and JSON lines whose strings keep every byte of a name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/coll_types.h"
#include "store/catalogue_path.h"

// '%', '\', control bytes and DEL become %XX (upper-case hex); every other byte stays as it
// is, so ordinary names print unchanged. Each field decodes with a percent-decoder.
std::string EscapeName(std::string_view name);
// As EscapeName, and ':' too, so that the first colon of a catalogue path ends the title.
std::string EscapeTitle(std::string_view title);
// Appends `name` escaped as EscapeName escapes it.
void AppendEscapedName(std::string& out, std::string_view name);
// Appends the catalogue path's text with each part escaped: the title as EscapeTitle, each
// name as EscapeName, so that a backslash is only ever one between names. The root is
// "Title:" without a backslash.
void AppendEscapedCataloguePath(std::string& out, const CCataloguePath& path);
// Appends `text` as a JSON string: valid UTF-8 as it is, each other byte as a lone surrogate
// \udc80-\udcff, the convention that decoders with "surrogateescape" turn back into bytes.
void AppendJsonString(std::string& out, std::string_view text);

// A time as tamblor-cli prints it: seconds since 1970, -1 for a time never known.
inline std::int64_t CliTime(Time64 time) {
    return time == unknownTime ? -1 : time;
}

// One JSON object built key by key and printed as one line.
class CJsonLine {
public:
    CJsonLine& Add(const char* key, std::string_view text);
    CJsonLine& Add(const char* key, std::int64_t number);
    CJsonLine& Add(const char* key, std::uint64_t number);
    CJsonLine& Add(const char* key, const std::vector<std::string>& texts);
    // Writes the object and a line feed to `stream` in one call.
    void Print(std::FILE* stream = stdout);

private:
    void Key(const char* key);

    std::string line = std::string(1, '{');
};
