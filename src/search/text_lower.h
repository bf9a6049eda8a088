// Lower-casing of names for case-insensitive search: UTF-8 by Unicode's simple mapping, with
// a fast path for ASCII; bytes that are not UTF-8 (names from the other platform's code
// page) are lowered as Windows-1252.
#pragma once

#include <string>
#include <string_view>

// Replaces `out` with the lowered `text`, reusing its storage.
void LowerText(std::string_view text, std::string& out);
