// SPDX-License-Identifier: GPL-3.0-or-later
// Paths split into their folder names and file name, and the conversions between full paths
// and paths relative to a collection file. Either separator is read; relative paths are
// written with backslashes so collections move between platforms with their index files.
#pragma once

#include <string>
#include <vector>

// The longest path the conversions accept.
constexpr std::size_t maxPathLength = 4096;

struct CPathParts {
    // Splits at "/" and "\", dropping empty pieces; fails for an empty or overlong path.
    bool Parse(const std::string& path);
    // The full path with "/" (absolute) or the relative path with "\" between components.
    std::string Build() const;
    std::string BuildFolder() const;

    bool absolute = false;  // began with "/"
    std::vector<std::string> components;
    std::string fileName;
};

// Number of leading folder names two paths share; false when one is absolute and the
// other is not (they cannot be related).
bool CommonDepth(const CPathParts& a, const CPathParts& b, std::size_t& count);
// `target` relative to the folder of the file `base`.
bool MakeRelativePath(const std::string& target, const std::string& base, std::string& result);
// `relative` resolved against the folder of the file `base`; a path that begins with "/"
// is already full. Fails for an empty path and for a ".." with no folder left.
bool MakeAbsolutePath(const std::string& relative, const std::string& base, std::string& result);
// A full path of this system with "." and empty names dropped and "name/.." folded, as text
// (links are not followed). Only "/" separates: a backslash is part of a name.
std::string NormalizedFullPath(const std::string& path);
// A path given by the user (on a command line) as a full path: joined to the current folder
// when relative, "." and ".." taken lexically as the shell's cd takes them; a trailing "/"
// stays, so a file named with one still fails as a folder would.
std::string FullPathOf(const std::string& path);
