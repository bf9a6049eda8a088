// SPDX-License-Identifier: GPL-3.0-or-later
// Names offered as file titles. A title found valid holds no character another platform
// refuses and no control character, is not made of periods only and fits in 255 bytes; a
// refused character is reported by its own code.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "helpers/file_title.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text = InputText(data, size);
    int result = ValidateFileTitle(text);
    if (result == 0) {
        if (text.empty() || text.size() > 255 || text.find_first_not_of('.') == std::string::npos) {
            std::abort();
        }
        for (char c : text) {
            auto code = static_cast<unsigned char>(c);
            if (code < 0x20 || std::string("\\/:*?\"<>|").find(c) != std::string::npos) {
                std::abort();
            }
        }
    } else if (result > 0 && text.find(static_cast<char>(result)) == std::string::npos) {
        std::abort();
    }
    return 0;
}
