#include "platform/ini_location_probe.h"

#include <unistd.h>

bool IsWritableFolder(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}
