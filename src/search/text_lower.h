// SPDX-License-Identifier: GPL-3.0-or-later
// Case folding of names for case-insensitive search: UTF-8 by Unicode's simple case folding
// (lower case for nearly every letter; final sigma, long s, the Kelvin sign and Greek symbol
// forms fold with their plain letters), with a fast path for ASCII. Bytes that are not UTF-8
// (names from the other platform's code page) are read as the user sees them
// (platform/name_text.h), so the folded text is always UTF-8.
#pragma once

#include <string>
#include <string_view>

// Replaces `out` with the folded `text`, reusing its storage. Names and words that differ
// only in case fold to the same text.
void LowerText(std::string_view text, std::string& out);
