// SPDX-License-Identifier: GPL-3.0-or-later
// Two paths from the input, a target and a collection file, split at the first line break.
// When the target can be stored relative to the collection and read back, it names the same
// place, and no path read back climbs above "/".

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "helpers/path_parts.h"

namespace {

// The components of a full path with "." and ".." resolved; nothing when ".." would climb
// above "/". Split here, without the conversions' length limit, so a long joined path can be
// compared with a short result.
std::optional<std::vector<std::string>> Resolved(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return std::nullopt;
    }
    std::vector<std::string> kept;
    std::string::size_type at = 0;
    while (at < path.size()) {
        std::string::size_type end = path.find_first_of("/\\", at);
        std::string component = path.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? path.size() : end + 1;
        if (component == "..") {
            if (kept.empty()) {
                return std::nullopt;
            }
            kept.pop_back();
        } else if (!component.empty() && component != ".") {
            kept.push_back(component);
        }
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text = InputText(data, size);
    std::string::size_type cut = text.find('\n');
    std::string target = text.substr(0, cut);
    std::string base = cut == std::string::npos ? std::string() : text.substr(cut + 1);

    // A line of a collection file, read against the collection's folder, names the place the
    // line leads to from there and never climbs above "/".
    CPathParts baseParts;
    if (!baseParts.Parse(base) || baseParts.fileName.empty() || baseParts.fileName == "." ||
        baseParts.fileName == "..") {
        return 0;
    }
    std::optional<std::vector<std::string>> baseResolved = Resolved(base);
    std::string full;
    if (baseResolved && target[0] != '/' && MakeAbsolutePath(target, base, full)) {
        std::optional<std::vector<std::string>> fullResolved = Resolved(full);
        if (!fullResolved || fullResolved != Resolved(baseParts.BuildFolder() + target)) {
            std::abort();
        }
    }

    // A full target stored relative to the collection and read back.
    std::optional<std::vector<std::string>> targetResolved = Resolved(target);
    std::string relative;
    if (baseResolved && targetResolved && MakeRelativePath(target, base, relative) &&
        MakeAbsolutePath(relative, base, full) && Resolved(full) != targetResolved) {
        std::abort();
    }
    return 0;
}
