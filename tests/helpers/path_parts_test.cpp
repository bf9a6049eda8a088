// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Relative(const std::string& target, const std::string& base) {
    std::string result;
    EXPECT_TRUE(MakeRelativePath(target, base, result));
    return result;
}

std::string Absolute(const std::string& relative, const std::string& base) {
    std::string result;
    return MakeAbsolutePath(relative, base, result) ? result : "<failed>";
}

}  // namespace

TEST(PathParts, RelativePathsFromTheCollectionFolder) {
    const std::string base = "/data/Cols/music.col";
    EXPECT_EQ(Relative("/data/Cols/a.cdi", base), "a.cdi");
    EXPECT_EQ(Relative("/data/Cols/Disks/a.cdi", base), "Disks\\a.cdi");
    EXPECT_EQ(Relative("/data/a.cdi", base), "..\\a.cdi");
    EXPECT_EQ(Relative("/data/Other/a.cdi", base), "..\\Other\\a.cdi");
    EXPECT_EQ(Relative("/elsewhere/deep/a.cdi", base), "..\\..\\elsewhere\\deep\\a.cdi");
    // Case matters to this filesystem: cols is not Cols.
    EXPECT_EQ(Relative("/data/cols/a.cdi", base), "..\\cols\\a.cdi");
    std::string unused;
    EXPECT_FALSE(MakeRelativePath("", base, unused));
    EXPECT_FALSE(MakeRelativePath(std::string(5000, 'x'), base, unused));
}

TEST(PathParts, AbsolutePathsRoundTripAndRefuseEscapes) {
    const std::string base = "/data/Cols/music.col";
    EXPECT_EQ(Absolute("a.cdi", base), "/data/Cols/a.cdi");
    EXPECT_EQ(Absolute("..\\Other\\a.cdi", base), "/data/Other/a.cdi");
    EXPECT_EQ(Absolute("../Other/./a.cdi", base), "/data/Other/a.cdi");
    EXPECT_EQ(Absolute("Disks\\\\a.cdi", base), "/data/Cols/Disks/a.cdi");
    EXPECT_EQ(Absolute("/mnt/x/a.cdi", base), "/mnt/x/a.cdi");
    EXPECT_EQ(Absolute("..\\..\\a.cdi", base), "/a.cdi");
    EXPECT_EQ(Absolute("..\\..\\..\\a.cdi", base), "<failed>");
    EXPECT_EQ(Absolute("", base), "<failed>");
    for (const std::string target :
         {"/data/Other/a.cdi", "/data/Cols/x/y/z.cdi", "/a.cdi", "/data/Cols/b.cdi"}) {
        EXPECT_EQ(Absolute(Relative(target, base), base), target);
    }
}
