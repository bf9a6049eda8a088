// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's placement as the profile keeps it: eleven numbers, "44,flags,show state,
// minimised x,y, maximised x,y, normal left,top,right,bottom".
#pragma once

#include <string>

struct CWindowPlacement {
    enum ShowState { normal = 1, minimised = 2, maximised = 3 };

    int length = 44;
    int flags = 0;
    int showState = normal;
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    std::string Format() const;
    // Takes the numbers as they come, leaving the fields after the last one as they are;
    // false when the text holds no number at all.
    bool Parse(const std::string& text);
};
