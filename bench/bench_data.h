// SPDX-License-Identifier: GPL-3.0-or-later
// Made-up catalogues for the benchmarks: folder trees with the spread of depths, names, sizes
// and times of real removable disks (camera cards, music and software CDs, document
// backups), the same for the same seed on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CCollDisk;
class CCollDiskContent;

// A small, fast generator whose sequence is fixed by its seed on every platform, unlike the
// standard distributions.
class CBenchRandom {
public:
    explicit CBenchRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next();
    // 0 <= result < count (count > 0).
    std::uint32_t Below(std::uint32_t count);
    std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
        return low + Below(high - low + 1);
    }
    bool Chance(double probability);
    double Uniform();
    // A log-normal value with the given median, as file sizes and folder sizes are spread.
    double LogNormal(double median, double sigma);
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t state;
};

// What a made-up tree turned out to be, for the report.
struct CTreeStats {
    std::uint64_t folders = 0;
    std::uint64_t files = 0;
    std::uint64_t nameBytes = 0;
    std::uint64_t bytes = 0;
    std::uint32_t largestFolder = 0;
    std::vector<std::uint64_t> itemsAtDepth;  // items whose parent is `depth` folders deep

    void Add(const CCollDiskContent& content, std::size_t depth = 0);
    std::string Describe() const;
};

// Fills `content` with exactly `items` folders and files.
void MakeTree(CBenchRandom& random, std::uint32_t items, CCollDiskContent& content);
// One folder named `name` at the root holding `files` files of every kind, in no order.
void MakeFlatFolder(CBenchRandom& random, const std::string& name, std::uint32_t files,
                    CCollDiskContent& content);
// Puts `word` before the extension of `count` files chosen at random (never into folder
// names, so that a line search over full paths counts the same items).
void MarkFiles(CBenchRandom& random, CCollDiskContent& content, const std::string& word,
               std::uint32_t count);
// Makes every `every`-th file, in record order, larger than 4 GiB, touching nothing else, so
// that the same seed gives the same tree with big files in it.
void MakeBigFiles(CCollDiskContent& content, std::uint32_t every);
// Label, serial, burn date and totals of a made-up disk.
void FillHeader(CBenchRandom& random, CCollDisk& disk);

// Writes the tree as real folders under `root` (which must exist), with empty sparse files of
// the recorded sizes and the recorded access and modification times.
void WriteRealTree(const CCollDiskContent& content, const std::string& root);
// Appends one catalogue path per item (Title:\Folder\name), level by level.
void AppendPaths(const CCollDiskContent& content, const std::string& title, std::string& out);
// Appends the name of every file of `content` (not below), one per line.
void AppendFileNames(const CCollDiskContent& content, std::string& out);
// Writes the disk's index file through the core's writer, without the flush to the device
// that saving does: ten thousand syncs would take minutes and measure nothing.
void WriteIndexUnsynced(CCollDisk& disk, const std::string& path);
