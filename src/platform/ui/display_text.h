// SPDX-License-Identifier: GPL-3.0-or-later
// Text from the core as the user sees it, by the one rule for names (platform/name_text.h):
// every widget, dialog and message shows a name through this.
#pragma once

#include <QString>
#include <string>

// `text` as valid UTF-8 stands; stray bytes are their Windows-1252 characters.
QString DisplayText(const std::string& text);
