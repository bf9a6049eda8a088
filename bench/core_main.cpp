// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-bench-core: times operations of the core that the command line does not expose on
// their own.
//
//   tamblor-bench-core content FILE.cdi [--runs N]
//       LoadContent of the disk, then SortFiles of its largest root folder by name, size and
//       modification time; each from a fresh load, the median of N runs in milliseconds
//   tamblor-bench-core sort-names FILE.cdi
//       one LoadContent and one sort by name, printing the sorted names: what `sort -f`
//       does with the same names
//   tamblor-bench-core search COL [WORD] [--case] [--mmap] [--runs N]
//       the search engine with a receiver that only counts: the engine's own speed

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "search/coll_search.h"
#include "shell/message_sink.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/collection.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Time(const std::function<void()>& work) {
    Clock::time_point start = Clock::now();
    work();
    return Milliseconds(Clock::now() - start);
}

CCollDiskFolder* LargestFolder(CCollDisk& disk) {
    CCollDiskFolder* largest = nullptr;
    for (const auto& folder : disk.content.folders) {
        if (largest == nullptr || folder->content.files.size() > largest->content.files.size()) {
            largest = folder.get();
        }
    }
    return largest;
}

int Content(const std::string& path, int runs) {
    std::vector<double> load;
    std::vector<double> byName;
    std::vector<double> bySize;
    std::vector<double> byModify;
    std::size_t files = 0;
    for (int run = 0; run < runs; ++run) {
        for (auto [field, times] : {std::pair{FieldName, &byName}, std::pair{FieldSize, &bySize},
                                    std::pair{FieldModify, &byModify}}) {
            std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
            double loading = Time([&] { disk->LoadContent(); });
            if (field == FieldName) {
                load.push_back(loading);
            }
            CCollDiskFolder* folder = LargestFolder(*disk);
            if (folder == nullptr) {
                std::fprintf(stderr, "%s has no folder at its root\n", path.c_str());
                return 1;
            }
            files = folder->content.files.size();
            times->push_back(Time([&] { folder->content.SortFiles(field); }));
        }
    }
    std::printf(
        "files %zu\nload_ms %.3f\nsort_name_ms %.3f\nsort_size_ms %.3f\n"
        "sort_modify_ms %.3f\n",
        files, Median(load), Median(byName), Median(bySize), Median(byModify));
    return 0;
}

int SortNames(const std::string& path) {
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(path);
    disk->LoadContent();
    CCollDiskFolder* folder = LargestFolder(*disk);
    if (folder == nullptr) {
        return 1;
    }
    folder->content.SortFiles(FieldName);
    for (const auto& file : folder->content.files) {
        std::fwrite(file->name.data(), 1, file->name.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

class CCountingReceiver : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        ++count;
        // The bytes of the path's text: the title, its colon and a backslash before each name.
        pathBytes += result.path.title.size() + 1;
        for (const std::string& name : result.path.names) {
            pathBytes += name.size() + 1;
        }
    }
    long long count = 0;
    long long pathBytes = 0;
};

int Search(int argc, char** argv) {
    std::string col = std::filesystem::absolute(argv[2]).string();
    std::string words;
    bool caseSensitive = false;
    bool mapped = false;
    int runs = 5;
    for (int i = 3; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--case") {
            caseSensitive = true;
        } else if (arg == "--mmap") {
            mapped = true;
        } else if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            words += words.empty() ? arg : " " + arg;
        }
    }
    CCollection collection;
    if (!CCollLoader(collection).Load(col)) {
        return 1;
    }
    std::vector<double> times;
    CCountingReceiver receiver;
    for (int run = 0; run < runs; ++run) {
        CCollSearch search(&collection);
        CCollSearchCriteria criteria;
        criteria.caseSensitive = caseSensitive;
        criteria.useMemoryMappedFile = mapped;
        criteria.SetWords(words);
        receiver = CCountingReceiver();
        times.push_back(Time([&] { search.Run(criteria, receiver); }));
    }
    std::printf("results %lld\npath_bytes %lld\nsearch_ms %.3f\n", receiver.count,
                receiver.pathBytes, Median(times));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SetMessageSink([](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); });
    if (argc < 3) {
        std::fputs(
            "usage: tamblor-bench-core content FILE.cdi [--runs N]\n"
            "       tamblor-bench-core sort-names FILE.cdi\n"
            "       tamblor-bench-core search COL [WORD] [--case] [--mmap] [--runs N]\n",
            stderr);
        return 2;
    }
    std::string command = argv[1];
    try {
        if (command == "content") {
            int runs = argc >= 5 && std::string(argv[3]) == "--runs" ? std::atoi(argv[4]) : 5;
            return Content(argv[2], std::max(runs, 1));
        }
        if (command == "sort-names") {
            return SortNames(argv[2]);
        }
        if (command == "search") {
            return Search(argc, argv);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tamblor-bench-core: %s\n", error.what());
        return 1;
    }
    return 2;
}
