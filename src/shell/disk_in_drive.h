// SPDX-License-Identifier: GPL-3.0-or-later
// Asking for a catalogued disk in the drive, for the commands that read it (Open, Copy,
// Update disk index): the look at the drive, and the question while it holds another disk.
#pragma once

#include <string>

struct CCollDiskHeader;

// The folder where the volume in `drive` is mounted when it has the label and serial that
// `header` recorded; empty otherwise. Reads the drive: run it off the window's thread.
std::string RecordedDiskRoot(const CCollDiskHeader& header, const std::string& drive);
// "Please insert disk named ..." with OK and Cancel; true on OK, when the caller looks again.
bool AskToInsertDisk(const std::string& title, const std::string& drive);
