// SPDX-License-Identifier: GPL-3.0-or-later
// A collection file from the input, whose lines name index files in a small folder of sound
// and damaged ones made at start-up, one sound and one damaged with an extension. Loading
// never fails for a file that exists; whatever loads must come back the same after a save and
// a reload, exact totals included.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "disk/fs_utils.h"
#include "fuzz_support.h"
#include "helpers/path_parts.h"
#include "platform/file.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/collection.h"

namespace {

const char* const blanks = " \t\r\n\v\f";
std::string folder;

void WriteFile(const std::string& path, const std::string& bytes) {
    CFile file(path, CFile::Mode::create);
    file.Write(bytes.data(), bytes.size());
    file.Close();
}

// `big` is added to the first file's size: 5 GiB gives the file an extension.
void SaveDisk(const std::string& path, const std::string& label, int folders, int files,
              std::uint64_t big = 0) {
    CCollDisk disk;
    disk.header.SetLabel(label);
    for (int i = 0; i < folders; ++i) {
        auto sub = std::make_unique<CCollDiskFolder>();
        sub->name = "Folder " + std::to_string(i);
        auto inner = std::make_unique<CCollDiskFile>();
        inner->name = "inner.txt";
        sub->content.files.Add(std::move(inner));
        disk.content.folders.Add(std::move(sub));
    }
    for (int i = 0; i < files; ++i) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = "file" + std::to_string(i) + ".dat";
        file->size = static_cast<std::uint32_t>(1000 * i) + (i == 0 ? big : 0);
        disk.content.files.Add(std::move(file));
    }
    disk.ComputeTotals();
    if (!disk.SaveIndexFile(path)) {
        std::abort();
    }
}

// Sound index files, damaged ones, a folder and a file that is no index file at all.
void MakeDiskFolder() {
    folder = MakeScratchFolder();
    if (!MakePath(folder + "/disks/sub")) {
        std::abort();
    }
    SaveDisk(folder + "/disks/Music 01.cdi", "MUSIC_01", 2, 3);
    SaveDisk(folder + "/disks/Photos 2004.cdi", "PHOTOS", 0, 1);
    SaveDisk(folder + "/disks/sub/Empty.cdi", "", 0, 0);
    SaveDisk(folder + "/disks/Video 5G.cdi", "VIDEO", 1, 2, std::uint64_t{5} << 30);
    std::string big = ReadWholeFile(folder + "/disks/Video 5G.cdi");
    // The extension's mark, 36 bytes of head and one size entry from the end, made wrong.
    big[big.size() - 48] = 'X';
    WriteFile(folder + "/disks/Bad extension.cdi", big);
    std::string sound = ReadWholeFile(folder + "/disks/Music 01.cdi");
    WriteFile(folder + "/disks/Short.cdi", sound.substr(0, 100));
    WriteFile(folder + "/disks/Header only.cdi", sound.substr(0, 344));
    std::string bad = sound;
    bad[344] = '\xFF';
    bad[347] = '\x7F';
    WriteFile(folder + "/disks/Bad count.cdi", bad);
    WriteFile(folder + "/disks/Empty file.cdi", "");
    WriteFile(folder + "/Notes.txt", "not an index file\n");
}

// The folder's path with "." and ".." resolved, or empty when it climbs above "/".
std::string Normalised(const std::string& path) {
    CPathParts parts;
    if (path.empty() || path[0] != '/' || !parts.Parse(path)) {
        return std::string();
    }
    std::vector<std::string> kept;
    parts.components.push_back(parts.fileName);
    for (const std::string& component : parts.components) {
        if (component == "..") {
            if (kept.empty()) {
                return std::string();
            }
            kept.pop_back();
        } else if (component != "." && !component.empty()) {
            kept.push_back(component);
        }
    }
    std::string result;
    for (const std::string& component : kept) {
        result += "/" + component;
    }
    return result;
}

// A line that would lead out of the disk folder (to /dev/stdin, say) names a missing file
// inside it instead: the fuzzer should read our files, not the machine's.
std::string KeepInside(const std::string& text, const std::string& collectionPath) {
    std::string out;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        std::string full;
        std::string::size_type first = line.find_first_not_of(blanks);
        std::string::size_type last = line.find_last_not_of(blanks);
        if (first != std::string::npos &&
            MakeAbsolutePath(line.substr(first, last - first + 1), collectionPath, full) &&
            Normalised(full).rfind(folder + "/", 0) != 0) {
            line = "outside.cdi";
        }
        out += line;
        if (end == std::string::npos) {
            break;
        }
        out += '\n';
        start = end + 1;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeDiskFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = folder + "/Sample.col";
    WriteFile(path, KeepInside(InputText(data, size), path));

    CCollection collection;
    CCollLoader loader(collection);
    if (!loader.Load(path)) {
        std::abort();
    }
    std::string saved = folder + "/Saved.col";
    if (!CCollSaver(collection).Save(saved)) {
        std::abort();
    }
    CCollection again;
    CCollLoader reloader(again);
    if (!reloader.Load(saved) || reloader.GetFailedLines() != 0 ||
        again.description != collection.description ||
        again.disks.size() != collection.disks.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < again.disks.size(); ++i) {
        const CCollDisk& before = *collection.disks[i];
        const CCollDisk& after = *again.disks[i];
        if (Normalised(after.indexPath) != Normalised(before.indexPath) ||
            after.title != before.title || after.header.serial != before.header.serial ||
            after.header.totalBytes != before.header.totalBytes) {
            std::abort();
        }
    }
    return 0;
}
