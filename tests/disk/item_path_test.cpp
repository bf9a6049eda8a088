// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/item_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "disk/fs_utils.h"
#include "store/coll_disk_item_type.h"
#include "support/temp_folder.h"

namespace {

using Names = std::vector<std::string>;

CCollItem File(const Names& names, const std::string& title = "Holiday") {
    return {CCollDiskItemType::fileId, {title, names}};
}

CCollItem Folder(const Names& names, const std::string& title = "Holiday") {
    return {CCollDiskItemType::folderId, {title, names}};
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(ItemPath, NamesFromAnIndexFileNeverLeadOutsideTheDisk) {
    CTempFolder outside;
    outside.Write("secret.txt", "private");
    CTempFolder disk;
    disk.Write("Photos/beach.jpg", "sand");
    std::filesystem::create_symlink(outside.Path("secret.txt"), disk.Path("Photos/escape.txt"));
    std::filesystem::create_directory_symlink(outside.Path(), disk.Path("away"));
    std::filesystem::create_symlink("beach.jpg", disk.Path("Photos/alias.jpg"));

    std::string path;
    ASSERT_TRUE(ResolveDrivePath(disk.Path(), File({"Photos", "beach.jpg"}), path));
    EXPECT_EQ(path, disk.Path("Photos/beach.jpg"));
    ASSERT_TRUE(ResolveDrivePath(disk.Path() + "/", Folder({"Photos"}), path));
    EXPECT_EQ(path, disk.Path("Photos"));
    // A link that stays on the disk is fine; a missing item is the copy's business.
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), File({"Photos", "alias.jpg"}), path));
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), File({"Photos", "gone.jpg"}), path));

    const std::vector<Names> refused = {{"..", "..", "etc", "passwd"},
                                        {"Photos", "..", "..", "x"},
                                        {".", "Photos"},
                                        {"Photos", "", "beach.jpg"},
                                        {""},
                                        {"", ".."},
                                        {"a/..", ".."},
                                        {"/etc/passwd"},
                                        {"Photos", std::string("beach.jpg\0.txt", 14)},
                                        {"Photos", "escape.txt"},
                                        {"away", "secret.txt"}};
    for (const Names& bad : refused) {
        EXPECT_FALSE(ResolveDrivePath(disk.Path(), File(bad), path)) << bad.back();
        EXPECT_FALSE(ResolveDrivePath(disk.Path(), Folder(bad), path)) << bad.back();
    }
    // A file without a name is no file; it must not become the disk.
    EXPECT_FALSE(ResolveDrivePath(disk.Path(), File({}), path));

    std::string name;
    ASSERT_TRUE(CatalogueItemName(File({"Photos", "beach.jpg"}), name));
    EXPECT_EQ(name, "beach.jpg");
    EXPECT_FALSE(CatalogueItemName(File({"Photos", ".."}), name));
    EXPECT_FALSE(CatalogueItemName(File({}), name));
    // The root is named after the disk, whose title comes from an index file's name too.
    EXPECT_FALSE(CatalogueItemName(Folder({}, ".."), name));
    EXPECT_FALSE(CatalogueItemName(Folder({}, ""), name));
}

TEST(ItemPath, FilesInTheRootAndTheWholeDiskResolveAndCopy) {
    CTempFolder disk;
    disk.Write("readme.txt", "hello");
    disk.Write("Photos/beach.jpg", "sand");
    CTempFolder backup;

    {
        std::string source;
        ASSERT_TRUE(ResolveDrivePath(disk.Path(), File({"readme.txt"}), source));
        EXPECT_EQ(source, disk.Path("readme.txt"));
        std::string name;
        ASSERT_TRUE(CatalogueItemName(File({"readme.txt"}), name));
        EXPECT_EQ(name, "readme.txt");
        ASSERT_TRUE(CopyFilePlain(source, backup.Path(name), true));
        EXPECT_EQ(Contents(backup.Path(name)), "hello");
    }

    for (const std::string& mount : {disk.Path(), disk.Path() + "/"}) {
        std::string source;
        ASSERT_TRUE(ResolveDrivePath(mount, Folder({}), source));
        EXPECT_EQ(source, mount);
    }
    std::string source;
    ASSERT_TRUE(ResolveDrivePath(disk.Path(), Folder({}), source));
    std::string name;
    ASSERT_TRUE(CatalogueItemName(Folder({}), name));
    EXPECT_EQ(name, "Holiday");
    ASSERT_TRUE(CopyTree(source, backup.Path(name)));
    EXPECT_EQ(Contents(backup.Path("Holiday/readme.txt")), "hello");
    EXPECT_EQ(Contents(backup.Path("Holiday/Photos/beach.jpg")), "sand");
}
