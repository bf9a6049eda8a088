// Cutting text that is stored in fixed-size fields without splitting a character.
#pragma once

#include <cstddef>
#include <string>

// The length of the longest prefix of `text` of at most `limit` bytes that does not split a
// UTF-8 character (text that is not UTF-8 is cut at `limit`).
std::size_t CharacterPrefix(const std::string& text, std::size_t limit);
