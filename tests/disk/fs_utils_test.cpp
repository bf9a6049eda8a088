// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/fs_utils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "helpers/file_title.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

std::size_t CountEntries(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(folder)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(FsTitle, ValidatesLikeEveryPlatformTheCatalogueTravelsTo) {
    EXPECT_EQ(ValidateFileTitle(".hidden"), 0);
    EXPECT_EQ(ValidateFileTitle("Holiday 2006"), 0);
    EXPECT_EQ(ValidateFileTitle("Été à Zürich"), 0);
    EXPECT_EQ(ValidateFileTitle("..."), '.');
    EXPECT_EQ(ValidateFileTitle("a:b"), 58);
    EXPECT_EQ(ValidateFileTitle("a/b"), '/');
    EXPECT_EQ(ValidateFileTitle("tab\there"), '\t');
    EXPECT_EQ(ValidateFileTitle("x|y"), '|');
    EXPECT_EQ(ValidateFileTitle("CON.txt"), -4);
    EXPECT_EQ(ValidateFileTitle("clock$"), -2);
    EXPECT_EQ(ValidateFileTitle("nul.tar.gz"), -5);
    EXPECT_EQ(ValidateFileTitle("com9"), -15);
    EXPECT_EQ(ValidateFileTitle("Lpt3"), -18);
    EXPECT_EQ(ValidateFileTitle("COM10"), 0);
    EXPECT_EQ(ValidateFileTitle("LPT0"), 0);
    EXPECT_EQ(ValidateFileTitle("console"), 0);
    EXPECT_EQ(ValidateFileTitle("AUXILIARY"), 0);
    EXPECT_EQ(ValidateFileTitle(""), -1);
    EXPECT_NE(ValidateFileTitle(std::string("ab\0cd", 5)), 0);
    // The limit counts bytes; a refused character past it is never reached.
    EXPECT_EQ(ValidateFileTitle(std::string(255, 'a')), 0);
    EXPECT_EQ(ValidateFileTitle(std::string(256, 'a')), -1);
    EXPECT_EQ(ValidateFileTitle(std::string(253, 'a') + "é"), 0);
    EXPECT_EQ(ValidateFileTitle(std::string(254, 'a') + "é"), -1);
    EXPECT_EQ(ValidateFileTitle(std::string(10, 'a') + ":" + std::string(300, 'a')), ':');
    EXPECT_EQ(ValidateFileTitle(std::string(280, 'a') + ":"), -1);
}

TEST(FsUtils, TellsFoldersFromFiles) {
    CTempFolder temp;
    std::string file = temp.Write("file.txt", "x");
    fs::create_symlink(temp.Path(), temp.Path("link"));
    EXPECT_TRUE(IsDirectory(temp.Path()));
    EXPECT_TRUE(IsDirectory(temp.Path() + "/"));
    EXPECT_TRUE(IsDirectory(temp.Path("link")));
    EXPECT_FALSE(IsDirectory(file));
    EXPECT_FALSE(IsDirectory(file + "/"));
    EXPECT_FALSE(IsDirectory(temp.Path("missing")));
    EXPECT_FALSE(IsDirectory(""));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(temp.Path("missing")));
    EXPECT_FALSE(FileExists(file + std::string(1, '\0') + "x"));

    std::string path = "/data";
    AddTrailingBackslash(path);
    EXPECT_EQ(path, "/data/");
    AddTrailingBackslash(path);
    EXPECT_EQ(path, "/data/");
    std::string empty;
    AddTrailingBackslash(empty);
    EXPECT_EQ(empty, "");
}

TEST(FsUtils, MakePathCreatesEveryMissingLevel) {
    CTempFolder temp;
    ASSERT_TRUE(MakeDirectory(temp.Path("Top")));
    EXPECT_TRUE(MakePath(temp.Path("Top/Mid//Low/")));
    EXPECT_TRUE(IsDirectory(temp.Path("Top/Mid/Low")));
    EXPECT_TRUE(MakePath(temp.Path("Top/Mid/Low")));

    temp.Write("Top/file", "x");
    EXPECT_FALSE(MakePath(temp.Path("Top/file/Below")));
    EXPECT_FALSE(MakeDirectory(temp.Path("Top/file")));

    std::string overlong = temp.Path("Long");
    while (overlong.size() <= 4096) {
        overlong += "/level";
    }
    EXPECT_FALSE(MakePath(overlong));
    EXPECT_FALSE(FileExists(temp.Path("Long")));
}

TEST(FsUtils, CopyTreeCopiesContentsModesAndTimesOnce) {
    CTempFolder temp;
    temp.Write("src/a.txt", "alpha");
    temp.Write("src/sub/b.bin", std::string(700000, 'b'));
    fs::create_directories(temp.Path("src/sub/empty"));
    ASSERT_EQ(::chmod(temp.Path("src/a.txt").c_str(), 0640), 0);
    fs::last_write_time(temp.Path("src/a.txt"),
                        fs::last_write_time(temp.Path("src/a.txt")) - std::chrono::hours(1000));

    ASSERT_TRUE(CopyTree(temp.Path("src"), temp.Path("dst/deep")));
    EXPECT_EQ(CTempFolder::Read(temp.Path("dst/deep/a.txt")), "alpha");
    EXPECT_EQ(CTempFolder::Read(temp.Path("dst/deep/sub/b.bin")), std::string(700000, 'b'));
    EXPECT_TRUE(IsDirectory(temp.Path("dst/deep/sub/empty")));
    EXPECT_EQ(ModeOf(temp.Path("dst/deep/a.txt")), 0640u);
    EXPECT_EQ(fs::last_write_time(temp.Path("dst/deep/a.txt")),
              fs::last_write_time(temp.Path("src/a.txt")));

    // A second copy stops at the first file already there and changes nothing.
    temp.Write("dst/deep/a.txt", "edited");
    temp.Write("dst/deep/sub/b.bin", "edited");
    EXPECT_FALSE(CopyTree(temp.Path("src"), temp.Path("dst/deep")));
    EXPECT_EQ(CTempFolder::Read(temp.Path("dst/deep/a.txt")), "edited");
    EXPECT_EQ(CTempFolder::Read(temp.Path("dst/deep/sub/b.bin")), "edited");

    EXPECT_FALSE(CopyTree(temp.Path("src/a.txt"), temp.Path("other")));
    EXPECT_FALSE(FileExists(temp.Path("other")));
}

TEST(FsUtils, CopyTreeIntoItsOwnSubfolderEnds) {
    CTempFolder temp;
    temp.Write("src/a.txt", "alpha");
    temp.Write("src/sub/b.txt", "beta");
    ASSERT_TRUE(CopyTree(temp.Path("src"), temp.Path("src/sub/backup")));
    EXPECT_EQ(CTempFolder::Read(temp.Path("src/sub/backup/a.txt")), "alpha");
    EXPECT_EQ(CTempFolder::Read(temp.Path("src/sub/backup/sub/b.txt")), "beta");
    EXPECT_FALSE(FileExists(temp.Path("src/sub/backup/sub/backup")));
}

TEST(FsUtils, MaskedCopyCopiesMatchingFilesAndEveryFolder) {
    CTempFolder temp;
    temp.Write("src/a.JPG", "a");
    temp.Write("src/b.txt", "b");
    temp.Write("src/sub/c.jpg", "c");
    temp.Write("src/sub/d.doc", "d");
    temp.Write("src/other/e.txt", "e");
    ASSERT_TRUE(CopyTreeMasked(temp.Path("src"), temp.Path("dst"), "*.jpg"));
    EXPECT_TRUE(FileExists(temp.Path("dst/a.JPG")));
    EXPECT_TRUE(FileExists(temp.Path("dst/sub/c.jpg")));
    EXPECT_TRUE(IsDirectory(temp.Path("dst/other")));
    EXPECT_EQ(CountEntries(temp.Path("dst")), 4u);
}

TEST(FsUtils, ClearingReadOnlyTouchesOnlyTheCopy) {
    CTempFolder temp;
    std::string source = temp.Write("disc/song.mp3", "tune");
    ASSERT_EQ(::chmod(source.c_str(), 0444), 0);

    ASSERT_TRUE(CopyFilePlain(source, temp.Path("plain.mp3"), true));
    EXPECT_EQ(ModeOf(temp.Path("plain.mp3")), 0444u);
    ASSERT_TRUE(CopyFileClearReadOnly(source, temp.Path("copy.mp3"), true));
    EXPECT_EQ(ModeOf(temp.Path("copy.mp3")), 0644u);
    EXPECT_EQ(ModeOf(source), 0444u);

    ASSERT_TRUE(CopyTreeClearReadOnly(temp.Path("disc"), temp.Path("tree")));
    EXPECT_EQ(ModeOf(temp.Path("tree/song.mp3")), 0644u);
    EXPECT_EQ(ModeOf(source), 0444u);
}

TEST(FsUtils, CopyFileKeepsOrReplacesAnExistingTarget) {
    CTempFolder temp;
    std::string source = temp.Write("in/new.txt", "new");
    std::string target = temp.Write("out/old.txt", "old");
    EXPECT_FALSE(CopyFilePlain(source, target, true));
    EXPECT_EQ(CTempFolder::Read(target), "old");
    EXPECT_TRUE(CopyFilePlain(source, target, false));
    EXPECT_EQ(CTempFolder::Read(target), "new");
    // Neither a missing source nor a folder leaves anything behind.
    EXPECT_FALSE(CopyFilePlain(temp.Path("in/missing"), temp.Path("out/x"), true));
    EXPECT_FALSE(CopyFilePlain(temp.Path("in"), temp.Path("out/y"), false));
    EXPECT_EQ(CountEntries(temp.Path("out")), 1u);
}

TEST(FsUtils, TreeCopiesLinksAsLinksWithoutReadingThroughThem) {
    CTempFolder temp;
    std::string secret = temp.Write("outside/secret.txt", "secret");
    ASSERT_EQ(::chmod(secret.c_str(), 0444), 0);
    temp.Write("src/plain.txt", "plain");
    fs::create_symlink(secret, temp.Path("src/file-link"));
    fs::create_symlink(temp.Path("outside"), temp.Path("src/folder-link"));
    fs::create_symlink("nowhere", temp.Path("src/dangling"));

    ASSERT_TRUE(CopyTreeClearReadOnly(temp.Path("src"), temp.Path("dst")));
    EXPECT_EQ(fs::read_symlink(temp.Path("dst/file-link")), secret);
    EXPECT_EQ(fs::read_symlink(temp.Path("dst/folder-link")), temp.Path("outside"));
    EXPECT_EQ(fs::read_symlink(temp.Path("dst/dangling")), "nowhere");
    EXPECT_EQ(ModeOf(secret), 0444u);
    EXPECT_EQ(CountEntries(temp.Path("outside")), 1u);
}
