// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a name may become a disk's title: a file title on any platform the catalogue
// travels to, and never something that would break a catalogue path (Title:\path).
#pragma once

#include <string>

// 0 when `text` may be a file title on any platform the catalogue travels to; otherwise -1
// (empty, 256 bytes or longer, or holding a NUL byte), the code of the first refused
// character, or -2 to -24 for a reserved device name such as CON or LPT3.
int ValidateFileTitle(const std::string& text);
