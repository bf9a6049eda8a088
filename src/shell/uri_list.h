// SPDX-License-Identifier: GPL-3.0-or-later
// The files a drag and drop hands over, read from its "text/uri-list" as sent.
#pragma once

#include <string>
#include <vector>

// The local paths of the list's file URLs, as the bytes they name: percent escapes are
// decoded to bytes whatever they spell, so a name that is not UTF-8 comes through unchanged.
// Comments, other schemes and files on another host are left out.
std::vector<std::string> LocalPathsOfUriList(const std::string& list);
