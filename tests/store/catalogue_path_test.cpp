// SPDX-License-Identifier: GPL-3.0-or-later
// A catalogue path's text, and the reading of a typed one.

#include "store/catalogue_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CataloguePath, TextJoinsTheNamesAndATypedTextIsCutAtBackslashes) {
    using Names = std::vector<std::string>;
    EXPECT_EQ((CCataloguePath{"Holiday", {}}).Text(), "Holiday:\\");
    EXPECT_EQ((CCataloguePath{"Holiday", {"Photos", "a\\b.jpg"}}).Text(),
              "Holiday:\\Photos\\a\\b.jpg");

    CCataloguePath path;
    ASSERT_TRUE(CCataloguePath::Parse("Holiday:\\Photos\\beach.jpg", path));
    EXPECT_EQ(path, (CCataloguePath{"Holiday", {"Photos", "beach.jpg"}}));
    // Only the first colon ends the title; doubled and trailing backslashes name nothing.
    ASSERT_TRUE(CCataloguePath::Parse("Ho:\\a:b\\\\c\\", path));
    EXPECT_EQ(path.title, "Ho");
    EXPECT_EQ(path.names, (Names{"a:b", "c"}));
    ASSERT_TRUE(CCataloguePath::Parse(":\\", path));
    EXPECT_EQ(path, (CCataloguePath{"", {}}));
    EXPECT_FALSE(CCataloguePath::Parse("Holiday\\Photos", path));
}
