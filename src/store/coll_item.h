// SPDX-License-Identifier: GPL-3.0-or-later
// A reference to a catalogued item, passed along when it is to be opened or copied.
#pragma once

#include "store/catalogue_path.h"

struct CCollItem {
    int typeId = 0;  // 2 folder, 3 file
    CCataloguePath path;
};
