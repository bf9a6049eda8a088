// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-bench-gen: writes the benchmarks' data, the same bytes for the same seed.
//
//   tamblor-bench-gen tree ROOT --items N [--seed S] [--mark WORD]
//       real folders with empty sparse files under ROOT (created, must not exist)
//   tamblor-bench-gen collection COL --disks D --items N [--spread] [--seed S] [--mark WORD]
//                     [--paths FILE] [--unsynced] [--big N]
//       D index files in a folder beside COL (COL without its extension) and the collection
//       COL listing them; --spread varies the disks' sizes around N; --paths writes one
//       catalogue path per item, the text a line search runs over; --big makes one file in
//       N larger than 4 GiB
//   tamblor-bench-gen flat FILE.cdi --files N [--seed S] [--names FILE]
//       a disk whose one root folder holds N files; --names lists them, one per line
//   tamblor-bench-gen changed OLD.cdi --items N --to NEW.cdi [--seed S]
//       a disk of N items, and the same disk after about one file in a hundred was deleted,
//       one grown, one renamed, one moved to another folder, and as many added
//
// --mark puts WORD into the names of one file in a thousand items.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_data.h"
#include "shell/message_sink.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_saver.h"
#include "store/collection.h"

namespace {

struct COptions {
    std::string command;
    std::string target;
    std::uint32_t items = 0;
    std::uint32_t disks = 1;
    std::uint64_t seed = 1;
    std::string mark;
    std::string pathsFile;
    std::string namesFile;
    std::string changedFile;
    std::uint32_t big = 0;
    bool spread = false;
    bool unsynced = false;
};

[[noreturn]] void Usage() {
    std::fputs(
        "usage: tamblor-bench-gen tree ROOT --items N [--seed S] [--mark WORD]\n"
        "       tamblor-bench-gen collection COL --disks D --items N [--spread] [--seed S]\n"
        "                         [--mark WORD] [--paths FILE] [--unsynced] [--big N]\n"
        "       tamblor-bench-gen flat FILE.cdi --files N [--seed S] [--names FILE]\n"
        "       tamblor-bench-gen changed OLD.cdi --items N --to NEW.cdi [--seed S]\n",
        stderr);
    std::exit(2);
}

COptions Parse(int argc, char** argv) {
    if (argc < 3) {
        Usage();
    }
    COptions options;
    options.command = argv[1];
    options.target = argv[2];
    for (int i = 3; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if ((arg == "--items" || arg == "--files") && hasValue) {
            options.items = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--disks" && hasValue) {
            options.disks = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--seed" && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--mark" && hasValue) {
            options.mark = argv[++i];
        } else if (arg == "--paths" && hasValue) {
            options.pathsFile = argv[++i];
        } else if (arg == "--names" && hasValue) {
            options.namesFile = argv[++i];
        } else if (arg == "--to" && hasValue) {
            options.changedFile = argv[++i];
        } else if (arg == "--big" && hasValue) {
            options.big = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--spread") {
            options.spread = true;
        } else if (arg == "--unsynced") {
            options.unsynced = true;
        } else {
            Usage();
        }
    }
    if (options.items == 0 || options.disks == 0) {
        Usage();
    }
    return options;
}

void WriteText(const std::string& path, const std::string& text, const char* mode = "wb") {
    FILE* out = std::fopen(path.c_str(), mode);
    if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
        std::fclose(out) != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

void MarkOnePerThousand(CBenchRandom& random, CCollDiskContent& content, const COptions& options,
                        std::uint32_t items) {
    if (!options.mark.empty()) {
        MarkFiles(random, content, options.mark, (items + 500) / 1000);
    }
}

int MakeRealTree(const COptions& options) {
    CBenchRandom random(options.seed);
    CCollDisk disk;
    MakeTree(random, options.items, disk.content);
    MarkOnePerThousand(random, disk.content, options, options.items);
    if (!std::filesystem::create_directory(options.target)) {
        throw std::runtime_error(options.target + " exists");
    }
    WriteRealTree(disk.content, options.target);
    CTreeStats stats;
    stats.Add(disk.content);
    std::printf("tree %s: %s\n", options.target.c_str(), stats.Describe().c_str());
    return 0;
}

int MakeCollection(const COptions& options) {
    std::filesystem::path col = std::filesystem::absolute(options.target);
    std::filesystem::path folder = col.parent_path() / col.stem();
    std::filesystem::create_directories(folder);
    if (!options.pathsFile.empty()) {
        WriteText(options.pathsFile, "");
    }
    CCollection collection;
    CTreeStats stats;
    std::uint64_t largest = 0;
    std::string paths;
    for (std::uint32_t i = 0; i < options.disks; ++i) {
        CBenchRandom random(options.seed * 1000003 + i);
        std::uint32_t items = options.items;
        if (options.spread) {
            items = std::max<std::uint32_t>(
                1, options.items / 5 + random.Below(options.items * 8 / 5 + 1));
        }
        char name[32];
        std::snprintf(name, sizeof name, "Disc-%05u.cdi", i + 1);
        std::string path = (folder / name).string();
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
        MakeTree(random, items, disk->content);
        MarkOnePerThousand(random, disk->content, options, items);
        if (options.big != 0) {
            MakeBigFiles(disk->content, options.big);
        }
        FillHeader(random, *disk);
        stats.Add(disk->content);
        if (options.unsynced) {
            WriteIndexUnsynced(*disk, path);
        } else if (!disk->SaveIndexFile(path)) {
            return 1;
        }
        largest = std::max<std::uint64_t>(largest, std::filesystem::file_size(path));
        if (!options.pathsFile.empty()) {
            AppendPaths(disk->content, disk->title, paths);
            if (paths.size() > (std::size_t{16} << 20) || i + 1 == options.disks) {
                WriteText(options.pathsFile, paths, "ab");
                paths.clear();
            }
        }
        disk->content.Clear();
        collection.AddDisk(std::move(disk));
    }
    collection.description = "Made up for the benchmarks";
    if (!CCollSaver(collection).Save(col.string())) {
        return 1;
    }
    std::printf("collection %s: %u disks, largest index file %llu bytes; %s\n",
                options.target.c_str(), options.disks, static_cast<unsigned long long>(largest),
                stats.Describe().c_str());
    return 0;
}

int MakeFlat(const COptions& options) {
    CBenchRandom random(options.seed);
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(options.target);
    MakeFlatFolder(random, "Everything", options.items, disk->content);
    FillHeader(random, *disk);
    if (!disk->SaveIndexFile(options.target)) {
        return 1;
    }
    if (!options.namesFile.empty()) {
        std::string names;
        AppendFileNames(disk->content.folders[0]->content, names);
        WriteText(options.namesFile, names);
    }
    std::printf("flat %s: %u files, %llu bytes\n", options.target.c_str(), options.items,
                static_cast<unsigned long long>(std::filesystem::file_size(options.target)));
    return 0;
}

struct CChangeCounts {
    std::uint32_t deleted = 0;
    std::uint32_t modified = 0;
    std::uint32_t renamed = 0;
    std::uint32_t moved = 0;
    std::uint32_t added = 0;
};

// Changes about one file in a hundred each way a disk in use changes. A moved file goes to the
// next folder in breadth-first order, placed once every folder has been changed.
void ChangeTree(CBenchRandom& random, CCollDiskContent& root, CChangeCounts& counts) {
    std::vector<CCollDiskContent*> contents{&root};
    for (std::size_t at = 0; at < contents.size(); ++at) {
        for (const auto& folder : contents[at]->folders) {
            contents.push_back(&folder->content);
        }
    }
    std::vector<std::pair<CCollDiskContent*, std::unique_ptr<CCollDiskFile>>> moving;
    for (std::size_t at = 0; at < contents.size(); ++at) {
        CCollDiskContent& content = *contents[at];
        std::size_t count = content.files.size();
        for (std::size_t i = 0; i < content.files.size();) {
            CCollDiskFile* file = content.files[i];
            std::uint32_t pick = random.Below(100);
            if (pick == 0) {
                content.files.RemoveAt(i);
                ++counts.deleted;
                continue;
            }
            if (pick == 1) {
                moving.emplace_back(contents[(at + 1) % contents.size()],
                                    content.files.RemoveAt(i));
                ++counts.moved;
                continue;
            }
            if (pick == 2) {
                file->size += 1 + random.Below(4096);
                ++counts.modified;
            } else if (pick == 3) {
                file->name.insert(0, "Copy of ");
                ++counts.renamed;
            }
            ++i;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (random.Below(100) == 0) {
                auto file = std::make_unique<CCollDiskFile>();
                file->name = "Added " + std::to_string(++counts.added) + ".dat";
                file->size = random.Below(1U << 20);
                file->modifyTime = file->creationTime = file->accessTime = 1700000000;
                content.files.Add(std::move(file));
            }
        }
    }
    for (auto& [content, file] : moving) {
        content->files.Add(std::move(file));
    }
}

int MakeChanged(const COptions& options) {
    if (options.changedFile.empty()) {
        Usage();
    }
    CBenchRandom random(options.seed);
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(options.target);
    MakeTree(random, options.items, disk->content);
    FillHeader(random, *disk);
    WriteIndexUnsynced(*disk, options.target);
    CChangeCounts counts;
    ChangeTree(random, disk->content, counts);
    disk->ComputeTotals();
    WriteIndexUnsynced(*disk, options.changedFile);
    std::printf(
        "changed %s: %u items, %llu bytes; %s: %u deleted, %u modified, %u renamed, "
        "%u moved, %u added, %llu bytes\n",
        options.target.c_str(), options.items,
        static_cast<unsigned long long>(std::filesystem::file_size(options.target)),
        options.changedFile.c_str(), counts.deleted, counts.modified, counts.renamed, counts.moved,
        counts.added,
        static_cast<unsigned long long>(std::filesystem::file_size(options.changedFile)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SetMessageSink([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    COptions options = Parse(argc, argv);
    try {
        if (options.command == "tree") {
            return MakeRealTree(options);
        }
        if (options.command == "collection") {
            return MakeCollection(options);
        }
        if (options.command == "flat") {
            return MakeFlat(options);
        }
        if (options.command == "changed") {
            return MakeChanged(options);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tamblor-bench-gen: %s\n", error.what());
        return 1;
    }
    Usage();
}
