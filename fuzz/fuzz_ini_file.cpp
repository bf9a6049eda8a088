// SPDX-License-Identifier: GPL-3.0-or-later
// The profile from the input: read the program's keys, set one of them to the input's last
// line, save, reload. The value set must read back, and every other key must read back as it
// did before the save.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/ini_file.h"

namespace {

using Key = std::pair<const char*, const char*>;

const std::vector<Key>& Keys() {
    static const std::vector<Key> keys = {
        {"Settings", "DateFormat"},
        {"Settings", "Drive"},
        {"Settings", "OpenLastFileAtStartup"},
        {"Settings", "LastCdiFolder"},
        {"Settings", "SearchWithMemoryMappedFile"},
        {"Recent File List", "File1"},
        {"Recent File List", "File2"},
        {"Panes", "Splitter"},
        {"New Section", "Key"},
    };
    return keys;
}

std::vector<std::string> ReadKeys(const CIniFile& ini) {
    std::vector<std::string> values;
    for (const Key& key : Keys()) {
        values.push_back(ini.GetString(key.first, key.second, "\x01missing"));
        ini.GetInt(key.first, key.second, -7);
    }
    return values;
}

// What a value set from `text` should read back as: its first line without the blanks
// around it.
std::string Expected(const std::string& text) {
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    std::string::size_type first = line.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::string path = MakeScratchFolder() + "/Tamblor.ini";

    std::string text = InputText(data, size);
    {
        CFile file(path, CFile::Mode::create);
        file.Write(text.data(), text.size());
        file.Close();
    }
    CIniFile ini;
    ini.Load(path);
    std::vector<std::string> before = ReadKeys(ini);

    std::size_t chosen = size > 0 ? data[0] % Keys().size() : 0;
    std::string value =
        text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    value = Expected(value);
    ini.SetString(Keys()[chosen].first, Keys()[chosen].second, value);
    ini.Save();

    CIniFile reloaded;
    reloaded.Load(path);
    std::vector<std::string> after = ReadKeys(reloaded);
    before[chosen] = value;
    if (after != before) {
        std::abort();
    }
    return 0;
}
