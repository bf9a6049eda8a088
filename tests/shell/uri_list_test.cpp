// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uri_list.h"

#include <gtest/gtest.h>

TEST(UriList, FileUrlsGiveTheirPathsBytesAndTheRestIsLeftOut) {
    EXPECT_EQ(LocalPathsOfUriList("# from a file manager\r\n"
                                  "file:///home/me/Music%2001.cdi\r\n"
                                  "FILE://localhost/tmp/%E9t%e9.cdi\r\n"
                                  "http://example.org/a.cdi\r\n"
                                  "file://otherhost/b.cdi\r\n"
                                  "file:///c%.col\r\n"
                                  "file:///nul%00.cdi\r\n"
                                  "file:///last.col"),
              (std::vector<std::string>{"/home/me/Music 01.cdi", "/tmp/\xE9t\xE9.cdi", "/c%.col",
                                        "/last.col"}));
    EXPECT_TRUE(LocalPathsOfUriList("").empty());
    EXPECT_TRUE(LocalPathsOfUriList("file://").empty());
}
