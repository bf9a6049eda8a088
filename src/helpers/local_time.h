// SPDX-License-Identifier: GPL-3.0-or-later
// Local calendar dates and times turned into times: the command line's YYYY-MM-DD texts and
// the whole days a date picker chooses.
#pragma once

#include <ctime>
#include <string>

#include "helpers/coll_types.h"

// Local YYYY-MM-DD, optionally followed by THH:MM:SS, checked strictly (no 30 February, no
// trailing text). `timeOfDay` gives the hour, minute and second for a text that holds a date
// alone; a time in the text is accepted only when `allowTime` is set.
bool ParseLocalTime(const std::string& text, const std::tm& timeOfDay, bool allowTime, Time64& out);

// The first and the last second of a local day (month 1 to 12), so that an interval of whole
// days holds every moment of them. False for a day that does not exist.
bool GetLocalDayBounds(int year, int month, int day, Time64& first, Time64& last);
