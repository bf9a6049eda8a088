// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/catalogue_path.h"

std::string CCataloguePath::Text() const {
    std::string text = title;
    text += ':';
    if (names.empty()) {
        text += '\\';
    }
    for (const std::string& name : names) {
        text += '\\';
        text += name;
    }
    return text;
}

bool CCataloguePath::Parse(std::string_view text, CCataloguePath& path) {
    std::string_view::size_type colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    path.title.assign(text.substr(0, colon));
    path.names.clear();
    std::string_view rest = text.substr(colon + 1);
    while (!rest.empty()) {
        std::string_view::size_type end = rest.find('\\');
        std::string_view name = rest.substr(0, end);
        if (!name.empty()) {
            path.names.emplace_back(name);
        }
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return true;
}
