// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/tree_find.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

std::set<std::string> FoundNames(const std::string& root, const std::string& mask) {
    CTreeFind find(root, mask, false, false);
    std::set<std::string> names;
    while (find.Next()) {
        names.insert(find.GetFileName());
    }
    return names;
}

}  // namespace

TEST(TreeFind, MaskNamesExtensionsUntilAPieceWithoutPeriod) {
    CTempFolder temp;
    for (const char* name : {"a.txt", "b.JPG", "c.png", "d.doc", "e.c", "f.h", "noext"}) {
        temp.Write(name, "x");
    }
    using Names = std::set<std::string>;
    EXPECT_EQ(FoundNames(temp.Path(), "*.TXT;*.jpg\t*abc *.png"), (Names{"a.txt", "b.JPG"}));
    EXPECT_EQ(FoundNames(temp.Path(), "png, *.doc\r\n*.c-*.h"), (Names{"d.doc", "e.c", "f.h"}));
    EXPECT_EQ(FoundNames(temp.Path(), "*.*").size(), 7u);
    EXPECT_EQ(FoundNames(temp.Path(), "*."), (Names{"noext"}));
    EXPECT_TRUE(FoundNames(temp.Path(), "* *.txt").empty());
    EXPECT_TRUE(FoundNames(temp.Path(), "").empty());
}

TEST(TreeFind, ListsEachFolderBeforeItsSubfolders) {
    CTempFolder temp;
    for (const char* name :
         {"r1.txt", "r2.txt", "a/a.txt", "a/x/x.txt", "b/b.txt", "c/y/z/z.txt"}) {
        temp.Write(name, "x");
    }

    CTreeFind find(temp.Path() + "/", "*.*", true, false);
    std::set<std::string> paths;
    std::size_t depth = 0;
    while (find.Next()) {
        EXPECT_FALSE(find.IsDirectory());
        std::string relative = find.GetFilePath().substr(temp.Path().size() + 1);
        std::size_t entryDepth = std::count(relative.begin(), relative.end(), '/');
        EXPECT_GE(entryDepth, depth) << relative;
        depth = entryDepth;
        paths.insert(relative);
    }
    EXPECT_EQ(paths, (std::set<std::string>{"r1.txt", "r2.txt", "a/a.txt", "a/x/x.txt", "b/b.txt",
                                            "c/y/z/z.txt"}));
    EXPECT_EQ(find.GetFolderCount(), 7u);
    EXPECT_FALSE(find.Failed());

    CTreeFind flat(temp.Path(), "*.txt", false, true);
    std::set<std::string> names;
    while (flat.Next()) {
        names.insert(flat.GetFileName() + (flat.IsDirectory() ? "/" : ""));
    }
    EXPECT_EQ(names, (std::set<std::string>{"r1.txt", "r2.txt", "a/", "b/", "c/"}));
    EXPECT_EQ(flat.GetFolderCount(), 1u);

    CTreeFind missing(temp.Path("missing"), "*.*", true, true);
    EXPECT_FALSE(missing.Next());
    EXPECT_TRUE(missing.Failed());
}
