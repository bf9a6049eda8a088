#include "store/index_layout.h"

#include "platform/file_exception.h"

void CIndexBytes::ThrowDamaged() const {
    CFileException::ThrowEndOfFile(fileName);
}
