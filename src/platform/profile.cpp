// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profile.h"

namespace {

CIniFile* installed = nullptr;

}  // namespace

CIniFile* GetProfile() {
    return installed;
}

CIniFile* SetProfile(CIniFile* profile) {
    CIniFile* previous = installed;
    installed = profile;
    return previous;
}
