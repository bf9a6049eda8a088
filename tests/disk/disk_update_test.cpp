// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/disk_update.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "disk/disk_scanner.h"
#include "platform/fault_injection.h"
#include "platform/file_exception.h"
#include "store/coll_disk.h"
#include "support/temp_folder.h"

namespace {

constexpr time_t t0 = 1000000000;

void SetModify(const std::string& path, time_t modify) {
    struct timespec times[2] = {{t0, 0}, {modify, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A file of `contents` (or of `size` bytes, sparse) modified at `modify`.
void Put(const CTempFolder& disk, const std::string& relative, const std::string& contents,
         time_t modify = t0, std::uintmax_t size = 0) {
    std::string path = disk.Write(relative, contents);
    if (size != 0) {
        std::filesystem::resize_file(path, size);
    }
    SetModify(path, modify);
}

std::unique_ptr<CCollDisk> Scan(const CTempFolder& disk) {
    auto scanned = std::make_unique<CCollDisk>("Disk");
    CProblems problems;
    EXPECT_TRUE(ScanDisk(*scanned, disk.Path(), problems));
    scanned->ComputeTotals();
    return scanned;
}

std::unique_ptr<CCollDisk> ScanToIndex(const CTempFolder& disk, const std::string& path) {
    std::unique_ptr<CCollDisk> scanned = Scan(disk);
    EXPECT_TRUE(scanned->SaveIndexFile(path));
    scanned->indexPath = path;
    return scanned;
}

std::string Join(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : "/") + name;
    }
    return text;
}

// One line per change: what, kind, where (and where from), and a file's values.
std::vector<std::string> Lines(const CDiskDiff& diff) {
    static const char* const kinds[] = {"added", "deleted", "modified", "moved"};
    std::vector<std::string> lines;
    for (const CDiskChange& change : diff.changes) {
        std::string line = std::string(kinds[static_cast<int>(change.change)]) +
                           (change.folder ? " D " : " F ") + Join(change.names);
        if (change.change == CDiskChange::Kind::moved) {
            line += " <- " + Join(change.oldNames);
        }
        if (change.change == CDiskChange::Kind::modified) {
            line += " " + std::to_string(change.oldSize) + ">" + std::to_string(change.size) + " " +
                    std::to_string(change.oldModified) + ">" + std::to_string(change.modified);
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(DiskUpdate, ReportsEachChangeOnceFromTwoIndexFilesAndFromAScan) {
    CTempFolder work;
    CTempFolder disk;
    const std::string odd = "bad\xff";
    Put(disk, "keep.txt", "k");
    Put(disk, "grow.txt", "a");
    Put(disk, "touch.txt", "t");
    Put(disk, "gone.txt", "g");
    Put(disk, "back\\slash", "1");
    Put(disk, "big.bin", "", t0, 5ULL << 30);
    Put(disk, "future.txt", "f", 2208988800);
    Put(disk, "a/moved.txt", "m");
    Put(disk, "a/" + odd, "o");
    Put(disk, "a/old-name.txt", "r");
    Put(disk, "docs/x.txt", "x");
    Put(disk, "docs/inner/y.txt", "y");
    std::unique_ptr<CCollDisk> stored = ScanToIndex(disk, work.Path("old.cdi"));

    Put(disk, "grow.txt", "abc");
    SetModify(disk.Path("touch.txt"), t0 + 60);
    std::filesystem::remove(disk.Path("gone.txt"));
    Put(disk, "back\\slash", "12");
    std::filesystem::resize_file(disk.Path("big.bin"), 6ULL << 30);
    SetModify(disk.Path("big.bin"), t0);
    SetModify(disk.Path("future.txt"), 2240524800);
    Put(disk, "new.txt", "n");
    std::filesystem::create_directory(disk.Path("b"));
    std::filesystem::rename(disk.Path("a/moved.txt"), disk.Path("b/moved.txt"));
    std::filesystem::rename(disk.Path("a/" + odd), disk.Path("b/" + odd));
    std::filesystem::rename(disk.Path("a/old-name.txt"), disk.Path("a/new-name.txt"));
    std::filesystem::rename(disk.Path("docs"), disk.Path("papers"));

    const std::vector<std::string> expected = {
        "added F a/new-name.txt",
        "deleted F a/old-name.txt",
        "added D b",
        "moved F b/" + odd + " <- a/" + odd,
        "moved F b/moved.txt <- a/moved.txt",
        "modified F back\\slash 1>2 1000000000>1000000000",
        "modified F big.bin 5368709120>6442450944 1000000000>1000000000",
        "deleted D docs",
        "deleted D docs/inner",
        "modified F future.txt 1>1 2208988800>2240524800",
        "deleted F gone.txt",
        "modified F grow.txt 1>3 1000000000>1000000000",
        "added F new.txt",
        "added D papers",
        "added D papers/inner",
        "moved F papers/inner/y.txt <- docs/inner/y.txt",
        "moved F papers/x.txt <- docs/x.txt",
        "modified F touch.txt 1>1 1000000000>1000000060",
    };
    std::unique_ptr<CCollDisk> scanned = Scan(disk);
    CDiskDiff fromScan = CompareWithScan(*stored, *scanned);
    EXPECT_EQ(Lines(fromScan), expected);
    ASSERT_TRUE(scanned->SaveIndexFile(work.Path("new.cdi")));
    EXPECT_EQ(Lines(CompareIndexFiles(work.Path("old.cdi"), work.Path("new.cdi"))), expected);
    // Back the other way every move goes back.
    EXPECT_EQ(CompareIndexFiles(work.Path("new.cdi"), work.Path("old.cdi"))
                  .Count(CDiskChange::Kind::moved),
              4U);
    EXPECT_TRUE(CompareIndexFiles(work.Path("old.cdi"), work.Path("old.cdi")).IsEmpty());
}

TEST(DiskUpdate, AMoveNeedsOneCandidateOnEachSideWithTheSameNameSizeAndTime) {
    CTempFolder work;
    CTempFolder disk;
    Put(disk, "a/two.txt", "2");
    Put(disk, "b/two.txt", "2");
    Put(disk, "c/one.txt", "1");
    Put(disk, "d/late.txt", "l");
    Put(disk, "e/same.txt", "s");
    std::unique_ptr<CCollDisk> stored = ScanToIndex(disk, work.Path("old.cdi"));
    // Two deleted, one added; one deleted, two added; moved but touched; and the one true move.
    std::filesystem::remove_all(disk.Path("a"));
    std::filesystem::rename(disk.Path("b"), disk.Path("x"));
    Put(disk, "y/one.txt", "1");
    std::filesystem::rename(disk.Path("c"), disk.Path("z"));
    std::filesystem::rename(disk.Path("d"), disk.Path("w"));
    SetModify(disk.Path("w/late.txt"), t0 + 1);
    std::filesystem::rename(disk.Path("e/same.txt"), disk.Path("same.txt"));

    std::unique_ptr<CCollDisk> scanned = Scan(disk);
    CDiskDiff diff = CompareWithScan(*stored, *scanned);
    std::vector<std::string> files;
    for (const std::string& line : Lines(diff)) {
        if (line.find(" F ") != std::string::npos) {
            files.push_back(line);
        }
    }
    EXPECT_EQ(files,
              (std::vector<std::string>{
                  "deleted F a/two.txt", "deleted F b/two.txt", "deleted F c/one.txt",
                  "deleted F d/late.txt", "moved F same.txt <- e/same.txt", "added F w/late.txt",
                  "added F x/two.txt", "added F y/one.txt", "added F z/one.txt"}));
}

TEST(DiskUpdate, ADamagedIndexThrowsAndAFailedRewriteLeavesTheIndexAsItWas) {
    CTempFolder work;
    CTempFolder disk;
    Put(disk, "a/one.txt", "1");
    std::unique_ptr<CCollDisk> stored = ScanToIndex(disk, work.Path("old.cdi"));
    ASSERT_TRUE(stored->ReadHeader());
    const std::string before = CTempFolder::Read(stored->indexPath);

    std::string cut = work.Write("cut.cdi", before.substr(0, before.size() - 3));
    EXPECT_THROW(CompareIndexFiles(cut, stored->indexPath), CFileException);
    EXPECT_THROW(CompareIndexFiles(stored->indexPath, work.Path("missing.cdi")), CFileException);
    std::string header = work.Write("header.cdi", before.substr(0, CCollDiskHeader::size));
    EXPECT_THROW(CompareIndexFiles(header, stored->indexPath), CFileException);

    Put(disk, "b.txt", "b");
    std::unique_ptr<CCollDisk> scanned = Scan(disk);
    std::uint64_t files = stored->header.totalFiles;
    InjectFault(FaultPoint::rename, 1, EIO);
    EXPECT_FALSE(WriteUpdatedIndex(*stored, *scanned));
    ClearFaults();
    EXPECT_EQ(CTempFolder::Read(stored->indexPath), before);
    EXPECT_EQ(stored->header.totalFiles, files);
    EXPECT_EQ(CompareWithScan(*stored, *scanned).changes.size(), 1U);
}
