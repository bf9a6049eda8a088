// SPDX-License-Identifier: GPL-3.0-or-later
// The label and serial of a CD or DVD filesystem as the other platform reports them, computed
// from the disc's own descriptors, so that discs catalogued there are recognised here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct COpticalIdentity {
    std::string label;
    std::uint32_t serial = 0;
    // When the volume was made, in seconds since 1970 UTC, where the disc records it.
    std::optional<std::int64_t> creationTime;
};

// For "iso9660" (Joliet preferred) and "udf", read from `device` (a block device or an image
// file); false for another type or when the descriptors cannot be read.
bool ReadOpticalIdentity(const std::string& device, const std::string& fileSystem,
                         COpticalIdentity& identity);
