#include "disk/item_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

TEST(ItemPath, NamesFromAnIndexFileNeverLeadOutsideTheDisk) {
    CTempFolder outside;
    outside.Write("secret.txt", "private");
    CTempFolder disk;
    disk.Write("Photos/beach.jpg", "sand");
    std::filesystem::create_symlink(outside.Path("secret.txt"), disk.Path("Photos/escape.txt"));
    std::filesystem::create_directory_symlink(outside.Path(), disk.Path("away"));
    std::filesystem::create_symlink("beach.jpg", disk.Path("Photos/alias.jpg"));

    std::string path;
    ASSERT_TRUE(ResolveDrivePath(disk.Path(), "Holiday:\\Photos\\beach.jpg", path));
    EXPECT_EQ(path, disk.Path("Photos/beach.jpg"));
    ASSERT_TRUE(ResolveDrivePath(disk.Path() + "/", "Holiday:\\Photos", path));
    EXPECT_EQ(path, disk.Path("Photos"));
    // A link that stays on the disk is fine; a missing item is the copy's business.
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), "Holiday:\\Photos\\alias.jpg", path));
    EXPECT_TRUE(ResolveDrivePath(disk.Path(), "Holiday:\\Photos\\gone.jpg", path));

    const std::vector<std::string> refused = {
        "Holiday:\\..\\..\\etc\\passwd",
        "Holiday:\\Photos\\..\\..\\x",
        "Holiday:\\.\\Photos",
        "Holiday:\\Photos\\\\beach.jpg",
        "Holiday:\\a/..\\..",
        "Holiday:\\/etc/passwd",
        std::string("Holiday:\\Photos\\beach.jpg") + std::string(1, '\0') + ".txt",
        "no colon at all",
        "Holiday:\\",
        "Holiday:",
        "Holiday:\\Photos\\escape.txt",
        "Holiday:\\away\\secret.txt"};
    for (const std::string& bad : refused) {
        EXPECT_FALSE(ResolveDrivePath(disk.Path(), bad, path)) << bad;
    }

    std::string name;
    ASSERT_TRUE(CatalogueItemName("Holiday:\\Photos\\beach.jpg", name));
    EXPECT_EQ(name, "beach.jpg");
    EXPECT_FALSE(CatalogueItemName("Holiday:\\Photos\\..", name));
    EXPECT_FALSE(CatalogueItemName("Holiday:\\", name));
}
