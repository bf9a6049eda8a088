// SPDX-License-Identifier: GPL-3.0-or-later
// One column of a table: which field it shows, how wide it is, how its cells lay out their
// text, and the title that heads it and keys its width in the profile.
#pragma once

#include <string>

class CTableColumn {
public:
    // How a cell's text is laid out; the flags combine.
    enum Format : unsigned {
        singleLine = 1u << 0,
        verticalCenter = 1u << 1,
        endEllipsis = 1u << 2,
    };

    // The table's own identifier of what the column shows (a FieldId for the catalogue's
    // tables); -1 when unset.
    int id = -1;
    // In pixels; 0 is a valid width, for a column dragged shut.
    int width = 20;
    unsigned format = singleLine | verticalCenter | endEllipsis;
    // Invisible columns keep their place in the model but are not shown.
    bool visible = true;
    // Cells of the column may be edited in place, when the window allows it.
    bool editable = false;
    std::string title;
};
