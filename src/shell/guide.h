// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's Guide command: finds the program guide, a page that lies beside the
// executable (a build, a portable copy) or in the installation's shared data folder, and hands
// it to the desktop's viewer.
#pragma once

#include <string>

// The guide for the executable at the full path `executablePath`: "Tamblor.html" in its
// folder, else in "../share/tamblor/" from there, with links resolved; empty when neither
// exists or the path is not a full one. The current folder never plays a part.
std::string FindGuidePath(const std::string& executablePath);

// Hands the guide to the desktop, or shows "Missing help file path" when there is none.
// True when the guide was handed over; what the desktop then does is not looked at.
bool ShowGuide(const std::string& executablePath);
// The same for the running executable.
bool ShowGuide();
