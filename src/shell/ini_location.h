// Where the profile lives: beside the executable for portable use and builds, otherwise in
// the user's configuration folder.
#pragma once

#include <string>

// "Tamblor.ini" beside the running executable when that folder holds one or may be written;
// otherwise "Tamblor/Tamblor.ini" under $XDG_CONFIG_HOME (or ~/.config), whose folder is made.
std::string FindIniPath();
// The same for an executable at `executablePath`.
std::string FindIniPath(const std::string& executablePath);
