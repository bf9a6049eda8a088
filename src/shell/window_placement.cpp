// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_placement.h"

#include <array>

#include "platform/ascii_text.h"

std::string CWindowPlacement::Format() const {
    std::string text;
    for (int value : {length, flags, showState, minX, minY, maxX, maxY, left, top, right, bottom}) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(value);
    }
    return text;
}

bool CWindowPlacement::Parse(const std::string& text) {
    std::array<int*, 11> fields = {&length, &flags, &showState, &minX,  &minY,  &maxX,
                                   &maxY,   &left,  &top,       &right, &bottom};
    std::size_t start = 0;
    std::size_t taken = 0;
    while (taken < fields.size() && start <= text.size()) {
        std::size_t end = text.find(',', start);
        std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
        if (piece.find_first_of("0123456789") == std::string::npos) {
            break;
        }
        *fields[taken++] = ReadLeadingInteger(piece, " \t").Wrapped32();
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return taken > 0;
}
