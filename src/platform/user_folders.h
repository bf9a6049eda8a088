// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own folders, as the XDG base directory rules name them.
#pragma once

#include <string>

// $HOME when it is a full path, else the home folder of the account the process runs as;
// empty when neither is known.
std::string GetHomeFolder();
// $XDG_CONFIG_HOME when it is a full path (a relative value is to be ignored), else
// "<home>/.config"; empty without a home folder.
std::string GetConfigFolder();
