// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/file_title.h"

#include <string_view>

#include "platform/ascii_text.h"

namespace {

constexpr std::size_t maxTitleLength = 256;

// Device names that the other platform refuses as file titles, whatever the extension.
int ReservedNameCode(const std::string& baseName) {
    std::string name = UpperAsciiText(baseName);
    if (name == "CLOCK$") {
        return -2;
    }
    if (name == "AUX") {
        return -3;
    }
    if (name == "CON") {
        return -4;
    }
    if (name == "NUL") {
        return -5;
    }
    if (name == "PRN") {
        return -6;
    }
    if (name.size() == 4 && name[3] >= '1' && name[3] <= '9') {
        int number = name[3] - '0';
        if (name.compare(0, 3, "COM") == 0) {
            return -6 - number;
        }
        if (name.compare(0, 3, "LPT") == 0) {
            return -15 - number;
        }
    }
    return 0;
}

}  // namespace

int ValidateFileTitle(const std::string& text) {
    if (text.empty()) {
        return -1;
    }
    constexpr std::string_view refused = "\\/:*?\"<>|";
    bool onlyPeriods = true;
    for (std::size_t i = 0; i < text.size() && i < maxTitleLength; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c == '.') {
            continue;
        }
        onlyPeriods = false;
        // Its code, 0, would read as "valid"; a NUL would also cut the name short.
        if (c == 0) {
            return -1;
        }
        if (c < 0x20 || refused.find(static_cast<char>(c)) != std::string_view::npos) {
            return c;
        }
    }
    if (text.size() >= maxTitleLength) {
        return -1;
    }
    if (onlyPeriods) {
        return '.';
    }
    if (text[0] == '.') {
        return 0;
    }
    return ReservedNameCode(text.substr(0, text.find('.')));
}
