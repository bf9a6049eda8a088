// SPDX-License-Identifier: GPL-3.0-or-later
// Where a catalogued item lies: the disk's title and the names from the disk's top level down
// to the item. The names are kept apart because a name may hold a backslash, so the path's
// text ("Title:\Folder\name") is for showing and cannot be split back into the same names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CCataloguePath {
    std::string title;
    std::vector<std::string> names;  // none for the disk's root

    // "Title:\Folder\name", or "Title:\" for the root.
    std::string Text() const;
    // Reads a text where a text is all there is (typed, or given on a command line): the title
    // runs to the first colon, one backslash may follow, and the rest is cut at backslashes,
    // empty names left out. False when there is no colon.
    static bool Parse(std::string_view text, CCataloguePath& path);

    bool operator==(const CCataloguePath&) const = default;
};
