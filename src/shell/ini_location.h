// SPDX-License-Identifier: GPL-3.0-or-later
// Where the profile lives: beside the executable for portable use and build trees, otherwise
// in the user's configuration folder.
#pragma once

#include <string>

// "Tamblor.ini" beside the running executable when that folder already holds one (portable
// use) or is a CMake build tree; otherwise "Tamblor/Tamblor.ini" in the user's configuration
// folder ($XDG_CONFIG_HOME, default ~/.config), which is made when missing. An installed
// program never writes beside itself, even when it could. Empty when the user has no home
// folder at all.
std::string FindIniPath();
// The same for an executable at `executablePath`.
std::string FindIniPath(const std::string& executablePath);
