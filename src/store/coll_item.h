// A reference to a catalogued item, passed along when it is to be opened or copied.
#pragma once

#include <string>

struct CCollItem {
    int typeId = 0;    // 2 folder, 3 file
    std::string path;  // catalogue path: title, ":\", names joined by backslashes
};
