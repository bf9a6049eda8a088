// SPDX-License-Identifier: GPL-3.0-or-later
// A one-disk collection over the input as its index file, searched for everything, for the
// words of the header's label case-sensitively and ignoring case, in both reading modes.
// Both modes must agree; a word search finds only what the full search finds; and browsing
// must refuse the same files and find the same items with the same exact times. Only a key of
// the extension that names no item may pass browsing, which never walks the whole tree.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/collection.h"
#include "store/record_reader.h"

namespace {

// Each item as its path and exact times.
using Paths = std::vector<std::string>;

std::string ItemText(const std::string& path, Time64 creation, Time64 access, Time64 modify) {
    return path + "|" + std::to_string(creation) + "|" + std::to_string(access) + "|" +
           std::to_string(modify);
}

class CCollect : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        paths.push_back(ItemText(result.path.Text(), result.creationTime, result.accessTime,
                                 result.modifyTime));
    }
    Paths paths;
};

// The sorted result paths, or nothing when the file was reported damaged.
std::optional<Paths> Search(CCollection& collection, const std::string& label, bool words,
                            bool caseSensitive, bool mapped) {
    CCollSearch search(&collection);
    CCollect collect;
    CCollSearchCriteria criteria;
    criteria.useMemoryMappedFile = mapped;
    criteria.caseSensitive = caseSensitive;
    if (words) {
        criteria.SetWords(label);
    }
    try {
        search.Run(criteria, collect);
    } catch (const CFileException&) {
        if (search.IsBusy()) {
            std::abort();
        }
        return std::nullopt;
    }
    std::sort(collect.paths.begin(), collect.paths.end());
    return collect.paths;
}

bool Includes(const std::optional<Paths>& all, const std::optional<Paths>& some) {
    return !some || (all && std::includes(all->begin(), all->end(), some->begin(), some->end()));
}

std::string ItemText(const std::string& path, const CCollDiskItem& item) {
    return ItemText(path, item.creationTime, item.accessTime, item.modifyTime);
}

void AddPaths(const CCollDiskContent& content, const std::string& prefix, Paths& out,
              std::set<std::uint32_t>& offsets) {
    for (const auto& folder : content.folders) {
        out.push_back(ItemText(prefix + folder->name, *folder));
        offsets.insert(folder->offset);
        AddPaths(folder->content, prefix + folder->name + "\\", out, offsets);
    }
    for (const auto& file : content.files) {
        out.push_back(ItemText(prefix + file->name, *file));
        offsets.insert(file->offset);
    }
}

// Whether a key of the file's extension names none of the items at `offsets`.
bool ExtensionNamesNoItem(const std::string& path, const std::set<std::uint32_t>& offsets) {
    CFile file(path, CFile::Mode::read);
    CRecordReader reader(file);
    const CIndexExtension& extension = reader.Extension();
    if (!extension.IsPresent()) {
        return false;
    }
    for (std::size_t i = 0; i < extension.Head().sizeCount; ++i) {
        if (offsets.count(extension.SizeKey(i)) == 0) {
            return true;
        }
    }
    for (std::size_t i = 0; i < extension.Head().timeCount; ++i) {
        if (offsets.count(extension.TimeKey(i)) == 0) {
            return true;
        }
    }
    return false;
}

// Every item of the tree as browsing loads it, or nothing when browsing finds it damaged;
// `offsets` receives the items' record offsets.
std::optional<Paths> Browse(CCollDisk& disk, std::set<std::uint32_t>& offsets) {
    if (!LoadWholeTree(disk)) {
        return std::nullopt;
    }
    Paths paths;
    AddPaths(disk.content, disk.title + ":\\", paths, offsets);
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CMemoryFile input;

    CCollection collection;
    CCollDisk* disk = collection.AddDisk(std::make_unique<CCollDisk>("Disk"));
    disk->indexPath = input.Write(data, size);
    // The label field is not read by the walk, so it is free to carry the words.
    std::string label = disk->ReadHeader() ? disk->header.GetLabel() : std::string();
    if (label.find_first_not_of(" \t\r\n") == std::string::npos) {
        label = "a";
    }

    std::optional<Paths> all;
    for (bool mapped : {false, true}) {
        std::optional<Paths> everything = Search(collection, label, false, false, mapped);
        std::optional<Paths> exact = Search(collection, label, true, true, mapped);
        std::optional<Paths> folded = Search(collection, label, true, false, mapped);
        if (!Includes(everything, exact) || !Includes(everything, folded)) {
            std::abort();
        }
        if (mapped && everything != all) {
            std::abort();
        }
        all = everything;
    }
    // Browsing and searching read the same layout: both refuse a file, or both find the same.
    std::set<std::uint32_t> offsets;
    std::optional<Paths> browsed = Browse(*disk, offsets);
    if (browsed != all && (all || !browsed || !ExtensionNamesNoItem(disk->indexPath, offsets))) {
        std::abort();
    }
    return 0;
}
