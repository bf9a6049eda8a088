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

CCollItem File(const std::string& path) {
    return {CCollDiskItemType::fileId, path};
}

CCollItem Folder(const std::string& path) {
    return {CCollDiskItemType::folderId, path};
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
    ASSERT_TRUE(ResolveDrivePath(disk.Path(), File("Holiday:\\Photos\\beach.jpg"), path));
    EXPECT_EQ(path, disk.Path("Photos/beach.jpg"));
    ASSERT_TRUE(ResolveDrivePath(disk.Path() + "/", Folder("Holiday:\\Photos"), path));
    EXPECT_EQ(path, disk.Path("Photos"));
    // A link that stays on the disk is fine; a missing item is the copy's business.
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), File("Holiday:\\Photos\\alias.jpg"), path));
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), File("Holiday:\\Photos\\gone.jpg"), path));

    const std::vector<std::string> refused = {
        "Holiday:\\..\\..\\etc\\passwd",
        "Holiday:\\Photos\\..\\..\\x",
        "Holiday:\\.\\Photos",
        "Holiday:\\Photos\\\\beach.jpg",
        "Holiday:\\\\\\Photos",
        "Holiday:\\\\",
        "Holiday:\\\\..",
        "Holiday:\\a/..\\..",
        "Holiday:\\/etc/passwd",
        std::string("Holiday:\\Photos\\beach.jpg") + std::string(1, '\0') + ".txt",
        "no colon at all",
        "Holiday:",
        "Holiday:\\Photos\\escape.txt",
        "Holiday:\\away\\secret.txt"};
    for (const std::string& bad : refused) {
        EXPECT_FALSE(ResolveDrivePath(disk.Path(), File(bad), path)) << bad;
        EXPECT_FALSE(ResolveDrivePath(disk.Path(), Folder(bad), path)) << bad;
    }
    // A file with an empty name in the root reads as the root: it must not become the disk.
    EXPECT_FALSE(ResolveDrivePath(disk.Path(), File("Holiday:\\"), path));

    std::string name;
    ASSERT_TRUE(CatalogueItemName(File("Holiday:\\Photos\\beach.jpg"), name));
    EXPECT_EQ(name, "beach.jpg");
    EXPECT_FALSE(CatalogueItemName(File("Holiday:\\Photos\\.."), name));
    EXPECT_FALSE(CatalogueItemName(File("Holiday:\\"), name));
    // The root is named after the disk, whose title comes from an index file's name too.
    EXPECT_FALSE(CatalogueItemName(Folder("..:\\"), name));
    EXPECT_FALSE(CatalogueItemName(Folder(":\\"), name));
}

TEST(ItemPath, FilesInTheRootAndTheWholeDiskResolveAndCopy) {
    CTempFolder disk;
    disk.Write("readme.txt", "hello");
    disk.Write("Photos/beach.jpg", "sand");
    CTempFolder backup;

    // The search names a root file with one backslash, the browse panel with two.
    for (const char* form : {"Holiday:\\readme.txt", "Holiday:\\\\readme.txt"}) {
        SCOPED_TRACE(form);
        std::string source;
        ASSERT_TRUE(ResolveDrivePath(disk.Path(), File(form), source));
        EXPECT_EQ(source, disk.Path("readme.txt"));
        std::string name;
        ASSERT_TRUE(CatalogueItemName(File(form), name));
        EXPECT_EQ(name, "readme.txt");
        std::string target = backup.Path(name);
        std::filesystem::remove(target);
        ASSERT_TRUE(CopyFilePlain(source, target, true));
        EXPECT_EQ(Contents(target), "hello");
    }

    for (const std::string& mount : {disk.Path(), disk.Path() + "/"}) {
        std::string source;
        ASSERT_TRUE(ResolveDrivePath(mount, Folder("Holiday:\\"), source));
        EXPECT_EQ(source, mount);
    }
    std::string source;
    ASSERT_TRUE(ResolveDrivePath(disk.Path(), Folder("Holiday:\\"), source));
    std::string name;
    ASSERT_TRUE(CatalogueItemName(Folder("Holiday:\\"), name));
    EXPECT_EQ(name, "Holiday");
    ASSERT_TRUE(CopyTree(source, backup.Path(name)));
    EXPECT_EQ(Contents(backup.Path("Holiday/readme.txt")), "hello");
    EXPECT_EQ(Contents(backup.Path("Holiday/Photos/beach.jpg")), "sand");
}
