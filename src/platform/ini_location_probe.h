// The question the profile's placement asks of the system.
#pragma once

#include <string>

// The process may create files in `folder`.
bool IsWritableFolder(const std::string& folder);
