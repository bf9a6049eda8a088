// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/display_text.h"

#include "platform/name_text.h"

QString DisplayText(const std::string& text) {
    if (IsValidUtf8(text)) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    std::string converted;
    AppendNameText(text, converted);
    return QString::fromUtf8(converted.data(), static_cast<qsizetype>(converted.size()));
}
