// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/index_layout.h"

#include "platform/file_exception.h"

void CIndexBytes::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(fileName);
}
