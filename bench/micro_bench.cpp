// SPDX-License-Identifier: GPL-3.0-or-later
// Microbenchmarks of the hot loops: lowering names, the search walk over one index file,
// listing one folder, reading a level of a disk and sorting it. Items per second are the
// figures to watch; the data is made up from a fixed seed in a temporary folder.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "platform/dir_reader.h"
#include "search/coll_search.h"
#include "search/text_lower.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/collection.h"

namespace {

constexpr std::uint64_t seed = 20240611;

// Everything the benchmarks read, made once for the whole run.
class CMicroData {
public:
    CMicroData() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tamblor-micro-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder = pattern;

        CBenchRandom random(seed);
        CCollDisk disk;
        MakeTree(random, 10000, disk.content);
        MarkFiles(random, disk.content, "Quetzal", 10);
        FillHeader(random, disk);
        diskPath = folder + "/Disc.cdi";
        WriteIndexUnsynced(disk, diskPath);
        collectionPath = folder + "/one.col";
        FILE* col = std::fopen(collectionPath.c_str(), "wb");
        std::fputs("Disc.cdi\r\n", col);
        std::fclose(col);
        CollectNames(disk.content);

        CCollDisk flat;
        MakeFlatFolder(random, "Everything", 10000, flat.content);
        FillHeader(random, flat);
        flatPath = folder + "/Flat.cdi";
        WriteIndexUnsynced(flat, flatPath);

        CCollDisk listed;
        MakeFlatFolder(random, "Listed", 5000, listed.content);
        WriteRealTree(listed.content, folder);
        listedFolder = folder + "/Listed";
    }
    ~CMicroData() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string folder;
    std::string diskPath;
    std::string collectionPath;
    std::string flatPath;
    std::string listedFolder;
    std::vector<std::string> asciiNames;
    std::vector<std::string> otherNames;

private:
    void CollectNames(const CCollDiskContent& content) {
        auto keep = [this](const std::string& name) {
            bool ascii = true;
            for (char c : name) {
                ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            }
            (ascii ? asciiNames : otherNames).push_back(name);
        };
        for (const auto& file : content.files) {
            keep(file->name);
        }
        for (const auto& sub : content.folders) {
            keep(sub->name);
            CollectNames(sub->content);
        }
    }
};

CMicroData& Data() {
    static CMicroData data;
    return data;
}

void LowerNames(benchmark::State& state, const std::vector<std::string>& names) {
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& name : names) {
            LowerText(name, out);
            benchmark::DoNotOptimize(out.data());
            bytes += name.size();
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * names.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_LowerAsciiNames(benchmark::State& state) {
    LowerNames(state, Data().asciiNames);
}
BENCHMARK(BM_LowerAsciiNames);

void BM_LowerUnicodeNames(benchmark::State& state) {
    LowerNames(state, Data().otherNames);
}
BENCHMARK(BM_LowerUnicodeNames);

class CCountingReceiver : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        benchmark::DoNotOptimize(result.path.names.back().data());
        ++count;
    }
    std::int64_t count = 0;
};

// Arguments: case-sensitive, memory-mapped, word ("" finds everything).
void SearchDisk(benchmark::State& state, bool caseSensitive, bool mapped, const char* word) {
    CCollection collection;
    CCollLoader(collection).Load(Data().collectionPath);
    CCollSearch search(&collection);
    CCountingReceiver receiver;
    CCollSearchCriteria criteria;
    criteria.caseSensitive = caseSensitive;
    criteria.useMemoryMappedFile = mapped;
    criteria.SetWords(word);
    for (auto _ : state) {
        search.Run(criteria, receiver);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    state.counters["results"] =
        static_cast<double>(receiver.count) / static_cast<double>(state.iterations());
}

void BM_SearchCase(benchmark::State& state) {
    SearchDisk(state, true, false, "Quetzal");
}
BENCHMARK(BM_SearchCase);

void BM_SearchIgnoringCase(benchmark::State& state) {
    SearchDisk(state, false, false, "quetzal");
}
BENCHMARK(BM_SearchIgnoringCase);

void BM_SearchMapped(benchmark::State& state) {
    SearchDisk(state, true, true, "Quetzal");
}
BENCHMARK(BM_SearchMapped);

void BM_SearchEverything(benchmark::State& state) {
    SearchDisk(state, false, false, "");
}
BENCHMARK(BM_SearchEverything);

void BM_ListFolder(benchmark::State& state) {
    CDirEntry entry;
    std::int64_t items = 0;
    for (auto _ : state) {
        CDirReader reader;
        if (!reader.Open(Data().listedFolder)) {
            state.SkipWithError("cannot open the listed folder");
            return;
        }
        while (reader.Next(entry)) {
            ++items;
        }
    }
    state.SetItemsProcessed(items);
}
BENCHMARK(BM_ListFolder);

void BM_LoadContent(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(Data().flatPath);
        disk->LoadContent();
        benchmark::DoNotOptimize(disk->content.folders[0]);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LoadContent);

void SortBy(benchmark::State& state, int field) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(Data().flatPath);
        disk->LoadContent();
        CCollDiskContent& content = disk->content.folders[0]->content;
        state.ResumeTiming();
        content.SortFiles(field);
        state.PauseTiming();
        disk.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_SortFilesByName(benchmark::State& state) {
    SortBy(state, FieldName);
}
BENCHMARK(BM_SortFilesByName);

void BM_SortFilesBySize(benchmark::State& state) {
    SortBy(state, FieldSize);
}
BENCHMARK(BM_SortFilesBySize);

}  // namespace

BENCHMARK_MAIN();
