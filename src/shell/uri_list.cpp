// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uri_list.h"

#include <string_view>

#include "platform/ascii_text.h"

namespace {

constexpr std::string_view fileScheme = "file://";

std::string DecodePercents(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && HexDigit(text[at + 1]) >= 0 &&
            HexDigit(text[at + 2]) >= 0) {
            bytes += static_cast<char>(HexDigit(text[at + 1]) * 16 + HexDigit(text[at + 2]));
            at += 2;
        } else {
            bytes += text[at];
        }
    }
    return bytes;
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    while (!line.empty() && line.front() == ' ') {
        line.remove_prefix(1);
    }
    return line;
}

}  // namespace

std::vector<std::string> LocalPathsOfUriList(const std::string& list) {
    std::vector<std::string> paths;
    std::string_view rest = list;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.size() <= fileScheme.size() ||
            !EqualsIgnoringAsciiCase(line.substr(0, fileScheme.size()), fileScheme)) {
            continue;
        }
        line.remove_prefix(fileScheme.size());
        std::size_t pathStart = line.find('/');
        std::string_view host = line.substr(0, pathStart);
        if (pathStart == std::string_view::npos ||
            (!host.empty() && !EqualsIgnoringAsciiCase(host, "localhost"))) {
            continue;
        }
        std::string path = DecodePercents(line.substr(pathStart));
        if (path.find('\0') == std::string::npos) {
            paths.push_back(path);
        }
    }
    return paths;
}
