// Dates and times as the command line takes them: local YYYY-MM-DD, optionally followed by
// THH:MM:SS, checked strictly (no 30 February, no trailing text).
#pragma once

#include <ctime>
#include <string>

#include "helpers/coll_types.h"

// `timeOfDay` gives the hour, minute and second for a text that holds a date alone; a time in
// the text is accepted only when `allowTime` is set.
bool ParseLocalTime(const std::string& text, const std::tm& timeOfDay, bool allowTime, Time32& out);
