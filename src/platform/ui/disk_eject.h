// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the drive's door: through the desktop's disk service, which unmounts the drive's
// filesystems first, or else with the drive's own eject request. Nothing is ever reported.
#pragma once

#include <string>

// `drive` is the "Drive" setting: a device is ejected, a folder is left alone.
void EjectDisk(const std::string& drive);
