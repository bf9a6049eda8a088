// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "disk/disk_scanner.h"
#include "helpers/problems.h"
#include "platform/dir_reader.h"
#include "platform/fault_injection.h"
#include "platform/file.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "support/deep_tree.h"
#include "support/temp_folder.h"

namespace {

void SetTimes(const std::string& path, time_t access, time_t modify) {
    struct timespec times[2] = {{access, 0}, {modify, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// name -> item, for every item of a scanned tree, keyed by its path inside the disk.
void Collect(const CCollDiskContent& content, const std::string& prefix,
             std::map<std::string, const CCollDiskItem*>& items) {
    for (const auto& folder : content.folders) {
        items[prefix + folder->name + "/"] = folder.get();
        Collect(folder->content, prefix + folder->name + "/", items);
    }
    for (const auto& file : content.files) {
        items[prefix + file->name] = file.get();
    }
}

// Lowers the limit on open descriptors while alive.
class CDescriptorLimit {
public:
    explicit CDescriptorLimit(rlim_t limit) {
        set = ::getrlimit(RLIMIT_NOFILE, &saved) == 0;
        rlimit lowered = saved;
        lowered.rlim_cur = limit;
        set = set && ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    CDescriptorLimit(const CDescriptorLimit&) = delete;
    CDescriptorLimit& operator=(const CDescriptorLimit&) = delete;
    ~CDescriptorLimit() {
        if (set) {
            ::setrlimit(RLIMIT_NOFILE, &saved);
        }
    }
    bool set = false;

private:
    rlimit saved{};
};

struct CFaultGuard {
    CFaultGuard() = default;
    CFaultGuard(const CFaultGuard&) = delete;
    CFaultGuard& operator=(const CFaultGuard&) = delete;
    ~CFaultGuard() { ClearFaults(); }
};

const CCollDiskFolder* FindFolder(const CCollDiskContent& content, const std::string& name) {
    for (const auto& folder : content.folders) {
        if (folder->name == name) {
            return folder.get();
        }
    }
    return nullptr;
}

}  // namespace

TEST(Scanner, RecordsEveryEntryWithItsSizeAndTimes) {
    CTempFolder outside;
    outside.Write("secret/data.txt", "outside the disk");
    CTempFolder disk;
    disk.Write("Photos/beach.jpg", "12345");
    disk.Write("Photos/Deep/Deeper/bottom.txt", "x");
    disk.Write(".hidden", "hh");
    disk.Write("Empty/.keep");
    std::filesystem::remove(disk.Path("Empty/.keep"));
    std::filesystem::resize_file(disk.Write("huge.iso"), 5ULL * 1024 * 1024 * 1024 + 3);
    std::filesystem::create_directory_symlink(outside.Path("secret"), disk.Path("link"));
    SetTimes(disk.Path("Photos/beach.jpg"), 1100000000, 1000000000);
    SetTimes(disk.Path("Photos/Deep"), 1200000000, 1150000000);
    // Times past 2038 and before 1970 are kept whole.
    SetTimes(disk.Path("huge.iso"), 2208988800, -315619200);

    CProblems problems;
    CCollDisk scanned;
    ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems));
    scanned.ComputeTotals();
    std::map<std::string, const CCollDiskItem*> items;
    Collect(scanned.content, "", items);

    std::vector<std::string> names;
    for (const auto& [name, item] : items) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         ".hidden", "Empty/", "Photos/", "Photos/Deep/", "Photos/Deep/Deeper/",
                         "Photos/Deep/Deeper/bottom.txt", "Photos/beach.jpg", "huge.iso", "link"}));
    const auto* beach = static_cast<const CCollDiskFile*>(items["Photos/beach.jpg"]);
    EXPECT_EQ(beach->size, 5u);
    EXPECT_EQ(beach->modifyTime, 1000000000);
    EXPECT_EQ(beach->accessTime, 1100000000);
    EXPECT_EQ(items["Photos/Deep/"]->modifyTime, 1150000000);
    // Listing a folder must not mark it accessed on the disk.
    EXPECT_EQ(items["Photos/Deep/"]->accessTime, 1200000000);
    struct stat deep {};
    ASSERT_EQ(::stat(disk.Path("Photos/Deep").c_str(), &deep), 0);
    EXPECT_EQ(deep.st_atime, 1200000000);
    EXPECT_EQ(items["Photos/Deep/"]->type->id, 2);
    EXPECT_EQ(static_cast<const CCollDiskFile*>(items["huge.iso"])->size, (5ULL << 30) + 3u);
    EXPECT_EQ(items["huge.iso"]->accessTime, 2208988800);
    EXPECT_EQ(items["huge.iso"]->modifyTime, -315619200);
    // The link is catalogued as itself and never followed out of the disk.
    EXPECT_EQ(items["link"]->type->id, 3);
    EXPECT_EQ(scanned.header.totalFolders, 4u);
    EXPECT_EQ(scanned.header.totalFiles, 5u);
    EXPECT_EQ(scanned.header.totalBytes,
              5u + 1u + 2u + (5ULL << 30) + 3u + outside.Path("secret").size());
}

TEST(Scanner, AFolderThatCannotBeEnteredStaysEmptyAndTheScanGoesOn) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root enters every folder, so a locked folder cannot be made";
    }
    CTempFolder disk;
    disk.Write("Locked/inside.txt", "x");
    disk.Write("Open/visible.txt", "y");
    ASSERT_EQ(::chmod(disk.Path("Locked").c_str(), 0), 0);
    CProblems problems;
    CCollDisk scanned;
    ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems));
    scanned.ComputeTotals();
    EXPECT_EQ(scanned.header.totalFolders, 2);
    EXPECT_EQ(scanned.header.totalFiles, 1);
}

TEST(Scanner, AMissingRootFailsWithItsMessage) {
    CProblems problems;
    CCollDisk scanned;
    EXPECT_FALSE(ScanDisk(scanned, "/no/such/folder", problems));
    ASSERT_EQ(problems.GetTexts().size(), 1u);
    EXPECT_EQ(problems.GetTexts()[0], "Failed loading volume information");
    std::string cwd = std::filesystem::current_path().string();
    CTempFolder disk;
    disk.Write("a/b/c.txt");
    ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems));
    EXPECT_EQ(std::filesystem::current_path().string(), cwd);
}

TEST(Scanner, TreesDeeperThanTheDescriptorLimitAreScannedWhole) {
    constexpr int depth = 300;
    CDeepTreeFolder disk;
    // Beside the chain, each level has two leaf folders whose names (and so their place in
    // the listing) change with the level: some are entered only once the scan has come back
    // up from the bottom, through levels whose descriptors it had to close.
    ASSERT_TRUE(MakeFolderChain(disk.Path(), depth, "d", [](int fd, int level) {
        std::string number = std::to_string(level);
        if (level == depth) {
            return WriteFileAt(fd, "bottom.txt", "end");
        }
        if (::mkdirat(fd, ("early" + number).c_str(), 0755) != 0 ||
            ::mkdirat(fd, ("late" + number).c_str(), 0755) != 0) {
            return false;
        }
        int late = ::openat(fd, ("late" + number).c_str(), O_RDONLY | O_DIRECTORY);
        bool written = late >= 0 && WriteFileAt(late, "level" + number, "x");
        return ::close(late) == 0 && written;
    }));

    CProblems problems;
    CCollDisk scanned;
    {
        CDescriptorLimit limit(64);
        ASSERT_TRUE(limit.set);
        ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems));
    }
    EXPECT_TRUE(problems.GetTexts().empty());
    scanned.ComputeTotals();
    EXPECT_EQ(scanned.header.totalFolders, 3 * depth);
    EXPECT_EQ(scanned.header.totalFiles, depth + 1);
    EXPECT_EQ(scanned.header.totalBytes, static_cast<std::uint32_t>(depth + 3));
    const CCollDiskContent* level = &scanned.content;
    for (int at = 0; at < depth; ++at) {
        std::string number = std::to_string(at);
        ASSERT_EQ(level->folders.size(), 3u) << at;
        const CCollDiskFolder* late = FindFolder(*level, "late" + number);
        ASSERT_NE(late, nullptr) << at;
        ASSERT_EQ(late->content.files.size(), 1u) << at;
        EXPECT_EQ(late->content.files[0]->name, "level" + number);
        ASSERT_NE(FindFolder(*level, "early" + number), nullptr) << at;
        const CCollDiskFolder* next = FindFolder(*level, "d");
        ASSERT_NE(next, nullptr) << at;
        level = &next->content;
    }
    ASSERT_EQ(level->files.size(), 1u);
    EXPECT_EQ(level->files[0]->name, "bottom.txt");

    // When the way back up through ".." fails, the names lead down again from the root. The
    // first level, closed by then, has leaf folders made before and after the chain, so that
    // one of them is still to be entered after the scan comes back from the bottom.
    CFaultGuard faults;
    CDeepTreeFolder chain;
    ASSERT_TRUE(MakeFolderChain(chain.Path(), 20, "d", [](int fd, int at) {
        return at != 1 || ::mkdirat(fd, "a", 0755) == 0;
    }));
    chain.Write("d/z/late.txt", "late");
    chain.Write("d/a/early.txt", "early");
    // Opens before the first "..": the root, 20 levels, and the leaves listed before "d".
    int opens = 21;
    CDirReader first;
    ASSERT_TRUE(first.Open(chain.Path("d")));
    for (CDirEntry entry; first.Next(entry) && entry.name != "d";) {
        ++opens;
    }
    CCollDisk rescanned;
    InjectFault(FaultPoint::openFolder, opens + 1, ENFILE);
    EXPECT_TRUE(ScanDisk(rescanned, chain.Path(), problems));
    EXPECT_TRUE(problems.GetTexts().empty());
    rescanned.ComputeTotals();
    EXPECT_EQ(rescanned.header.totalFolders, 22);
    EXPECT_EQ(rescanned.header.totalFiles, 2);
}

TEST(Scanner, AVeryDeepTreeIsScannedSavedReadBackAndDestroyed) {
    constexpr int depth = 20000;
    CDeepTreeFolder disk;
    ASSERT_TRUE(MakeFolderChain(disk.Path(), depth, "d", [](int fd, int level) {
        return level < depth || WriteFileAt(fd, "bottom.txt", "end");
    }));
    {
        CCollDisk scanned;
        {
            CProblems problems;
            CDescriptorLimit limit(64);
            ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems));
        }
        scanned.ComputeTotals();
        EXPECT_EQ(scanned.header.totalFolders, depth);
        EXPECT_EQ(scanned.header.totalFiles, 1);
        EXPECT_EQ(scanned.header.totalBytes, 3u);
        ASSERT_TRUE(scanned.SaveIndexFile(disk.Path("deep.cdi")));
        CCollDisk loaded;
        loaded.indexPath = disk.Path("deep.cdi");
        ASSERT_TRUE(loaded.ReadHeader());
        EXPECT_EQ(loaded.header.totalFolders, depth);
        loaded.LoadContent();
        CFile file(loaded.indexPath, CFile::Mode::read);
        CRecordReader reader(file);
        for (CCollDiskContent* level = &loaded.content; !level->folders.empty();) {
            CCollDiskFolder* folder = level->folders[0];
            folder->LoadSubfolders(reader);
            level = &folder->content;
        }
        loaded.ComputeTotals();
        EXPECT_EQ(loaded.header.totalFolders, depth);
        EXPECT_EQ(loaded.header.totalFiles, 1);
        EXPECT_EQ(loaded.header.totalBytes, 3u);
    }
}

TEST(Scanner, EntriesThatCannotBeLookedAtAreNamedWithoutMadeUpTimes) {
    CFaultGuard faults;
    struct CCase {
        int error;
        bool succeeds;
        std::size_t files;
        const char* reason;  // in the message; none when empty
    };
    // The second look-up is the first file inside Shut, the only root entry.
    for (const CCase& test :
         {CCase{EACCES, true, 2, "Permission denied"}, CCase{ENOENT, true, 1, ""},
          CCase{EIO, false, 2, "Input/output error"}}) {
        SCOPED_TRACE(test.error);
        CTempFolder disk;
        disk.Write("Shut/one.txt", "1");
        disk.Write("Shut/two.txt", "22");
        CProblems problems;
        CCollDisk scanned;
        InjectFault(FaultPoint::statEntry, 2, test.error);
        EXPECT_EQ(ScanDisk(scanned, disk.Path(), problems), test.succeeds);
        ClearFaults();
        ASSERT_EQ(scanned.content.folders.size(), 1u);
        const CCollDiskContent& shut = scanned.content.folders[0]->content;
        ASSERT_EQ(shut.files.size(), test.files);
        int unknown = 0;
        for (const auto& file : shut.files) {
            if (file->modifyTime == unknownTime) {
                ++unknown;
                EXPECT_EQ(file->creationTime, unknownTime);
                EXPECT_EQ(file->accessTime, unknownTime);
                EXPECT_EQ(file->size, 0u);
            } else {
                EXPECT_GT(file->modifyTime, 0);
                EXPECT_EQ(file->size, file->name == "one.txt" ? 1u : 2u);
            }
        }
        if (std::string(test.reason).empty()) {
            EXPECT_EQ(unknown, 0);
            EXPECT_TRUE(problems.GetTexts().empty());
        } else {
            EXPECT_EQ(unknown, 1);
            EXPECT_EQ(problems.GetTexts(),
                      std::vector<std::string>{"Failed reading folder " + disk.Path("Shut") + ": " +
                                               test.reason});
        }
    }
}

TEST(Scanner, AFolderThatCannotBeOpenedOrReadForWantOfResourcesFailsTheScan) {
    CFaultGuard faults;
    struct CCase {
        FaultPoint point;
        int nth;
        int error;
        const char* unread;  // the folder named in the message; none when empty
    };
    // Opens: the root, A, B. Reads: the root's entries, its end, A's entries.
    for (const CCase& test :
         {CCase{FaultPoint::openFolder, 3, EMFILE, "A/B"},
          CCase{FaultPoint::openFolder, 3, ENOMEM, "A/B"},
          CCase{FaultPoint::readFolder, 3, EIO, "A"}, CCase{FaultPoint::openFolder, 3, EACCES, ""},
          CCase{FaultPoint::openFolder, 3, ENOENT, ""}}) {
        SCOPED_TRACE(test.error);
        CTempFolder disk;
        disk.Write("A/B/deep.txt", "x");
        CProblems problems;
        CCollDisk scanned;
        InjectFault(test.point, test.nth, test.error);
        bool succeeded = ScanDisk(scanned, disk.Path(), problems);
        ClearFaults();
        if (std::string(test.unread).empty()) {
            // Refused or gone: that folder stays empty and the scan goes on, silently.
            EXPECT_TRUE(succeeded);
            EXPECT_TRUE(problems.GetTexts().empty());
        } else {
            EXPECT_FALSE(succeeded);
            ASSERT_EQ(problems.GetTexts().size(), 1u);
            EXPECT_EQ(problems.GetTexts()[0], "Failed reading folder " + disk.Path(test.unread) +
                                                  ": " + std::strerror(test.error));
        }
        scanned.ComputeTotals();
        EXPECT_EQ(scanned.header.totalFiles, 0);
        CCollDiskFolder folder;
        InjectFault(test.point, test.nth, test.error);
        EXPECT_EQ(ScanFolder(folder, disk.Path()), std::string(test.unread).empty());
    }
}

TEST(Scanner, AFolderThatCanBeListedButNotSearchedIsNamed) {
    CTempFolder disk;
    disk.Write("Shut/one.txt", "1");
    disk.Write("Open/two.txt", "22");
    // Readable by all, searchable by none; root searches anything, so a child that is no one
    // in particular does the scan.
    ASSERT_EQ(::chmod(disk.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(disk.Path("Shut").c_str(), 0444), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)) {
            ::_exit(77);
        }
        CProblems problems;
        CCollDisk scanned;
        bool scanOk = ScanDisk(scanned, disk.Path(), problems);
        const CCollDiskFolder* shut = FindFolder(scanned.content, "Shut");
        const CCollDiskFolder* open = FindFolder(scanned.content, "Open");
        bool entryKept = shut != nullptr && shut->content.files.size() == 1 &&
                         shut->content.files[0]->name == "one.txt";
        bool noTimes = entryKept && shut->content.files[0]->creationTime == unknownTime &&
                       shut->content.files[0]->modifyTime == unknownTime &&
                       shut->content.files[0]->accessTime == unknownTime &&
                       shut->content.files[0]->size == 0;
        bool othersKnown =
            open != nullptr && open->content.files.size() == 1 && open->content.files[0]->size == 2;
        bool named = problems.GetTexts() ==
                     std::vector<std::string>{"Failed reading folder " + disk.Path("Shut") +
                                              ": Permission denied"};
        ::_exit((scanOk ? 0 : 1) | (entryKept ? 0 : 2) | (noTimes ? 0 : 4) | (othersKnown ? 0 : 8) |
                (named ? 0 : 16));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(disk.Path("Shut").c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot become an unprivileged user here";
    }
    // Bits: 1 the scan failed, 2 the entry was lost, 4 it got made-up values, 8 the
    // readable folder suffered, 16 the folder was not named.
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
