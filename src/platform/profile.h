// SPDX-License-Identifier: GPL-3.0-or-later
// The program's profile: the one INI file that every part reads its settings, column widths
// and pane sizes from. The application installs it at start-up; tests install their own.
#pragma once

class CIniFile;

// The installed profile, or null when none is.
CIniFile* GetProfile();
// Installs `profile` (not owned) and returns the previous one.
CIniFile* SetProfile(CIniFile* profile);
