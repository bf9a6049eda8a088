// SPDX-License-Identifier: GPL-3.0-or-later
// Small questions about paths that the command layer asks before acting.
#pragma once

#include <string>
#include <vector>

bool PathExists(const std::string& path);

// The names of `path` between slashes, empty ones left out; a backslash is part of a name.
std::vector<std::string> PathNames(const std::string& path);

enum class PathKind { missing, folder, file, blockDevice, other };
// What `path` names, following symbolic links (/dev/cdrom leads to a block device).
PathKind GetPathKind(const std::string& path);
// The canonical form of an existing path (links and "." / ".." resolved), or empty.
std::string GetRealPath(const std::string& path);
// The process's current directory, or empty when it cannot be read.
std::string GetCurrentFolder();
