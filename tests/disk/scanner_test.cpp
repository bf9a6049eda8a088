#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "support/message_recorder.h"
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

    CCollDisk scanned;
    ASSERT_TRUE(scanned.Scan(disk.Path()));
    scanned.ComputeTotals();
    std::map<std::string, const CCollDiskItem*> items;
    Collect(scanned.content, "", items);

    std::vector<std::string> names;
    for (const auto& [name, item] : items) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "Empty/", "Photos/", "Photos/Deep/",
                                               "Photos/Deep/Deeper/",
                                               "Photos/Deep/Deeper/bottom.txt",
                                               "Photos/beach.jpg", "huge.iso", "link"}));
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
    // A 5 GiB file keeps the low 32 bits of its length.
    EXPECT_EQ(static_cast<const CCollDiskFile*>(items["huge.iso"])->size, (1u << 30) + 3u);
    // The link is catalogued as itself and never followed out of the disk.
    EXPECT_EQ(items["link"]->type->id, 3);
    EXPECT_EQ(scanned.header.totalFolders, 4);
    EXPECT_EQ(scanned.header.totalFiles, 5);
    EXPECT_EQ(scanned.header.totalBytes,
              5u + 1u + 2u + (1u << 30) + 3u + static_cast<std::uint32_t>(outside.Path("secret").size()));
}

TEST(Scanner, AFolderThatCannotBeEnteredStaysEmptyAndTheScanGoesOn) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root enters every folder, so a locked folder cannot be made";
    }
    CTempFolder disk;
    disk.Write("Locked/inside.txt", "x");
    disk.Write("Open/visible.txt", "y");
    ASSERT_EQ(::chmod(disk.Path("Locked").c_str(), 0), 0);
    CCollDisk scanned;
    ASSERT_TRUE(scanned.Scan(disk.Path()));
    scanned.ComputeTotals();
    EXPECT_EQ(scanned.header.totalFolders, 2);
    EXPECT_EQ(scanned.header.totalFiles, 1);
}

TEST(Scanner, AMissingRootFailsWithItsMessage) {
    CMessageRecorder messages;
    CCollDisk scanned;
    EXPECT_FALSE(scanned.Scan("/no/such/folder"));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "Failed loading volume information");
    std::string cwd = std::filesystem::current_path().string();
    CTempFolder disk;
    disk.Write("a/b/c.txt");
    ASSERT_TRUE(scanned.Scan(disk.Path()));
    EXPECT_EQ(std::filesystem::current_path().string(), cwd);
}
