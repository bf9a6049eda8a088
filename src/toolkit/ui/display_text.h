// Text from the core as the user sees it: names are UTF-8 bytes, except in catalogues made on
// the other platform, whose names are Windows-1252.
#pragma once

#include <QString>
#include <string>

// `text` decoded as UTF-8 when it is valid UTF-8, otherwise as Windows-1252.
QString DisplayText(const std::string& text);
