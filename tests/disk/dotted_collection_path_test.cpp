// SPDX-License-Identifier: GPL-3.0-or-later
// A collection file reached through a path with "." or ".." in it (a script's
// "$DIR/../Sample.col", say): its "..\" lines used to climb from the dotted folder name
// instead of the folder the file is in, and so named the wrong index files.

#include <gtest/gtest.h>

#include <string>

#include "helpers/path_parts.h"
#include "store/coll_loader.h"
#include "store/collection.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

std::string Absolute(const std::string& relative, const std::string& base) {
    std::string result;
    return MakeAbsolutePath(relative, base, result) ? result : "<failed>";
}

std::string Relative(const std::string& target, const std::string& base) {
    std::string result;
    return MakeRelativePath(target, base, result) ? result : "<failed>";
}

}  // namespace

TEST(DottedCollectionPath, LinesClimbFromTheFolderTheCollectionIsIn) {
    EXPECT_EQ(Absolute("..\\a.cdi", "/data/./Cols/music.col"), "/data/a.cdi");
    EXPECT_EQ(Absolute("..\\a.cdi", "/data/Cols/./music.col"), "/data/a.cdi");
    EXPECT_EQ(Absolute("..\\a.cdi", "/data/x/../Cols/music.col"), "/data/a.cdi");
    EXPECT_EQ(Absolute("..\\..\\a.cdi", "/data/Cols/sub/../music.col"), "/a.cdi");
    EXPECT_EQ(Absolute("..\\..\\a.cdi", "/data/Cols/sub/../../music.col"), "<failed>");
    // A collection path that climbs above "/" leads nowhere.
    EXPECT_EQ(Absolute("a.cdi", "/../music.col"), "<failed>");

    // Saving through a dotted path stores lines that read back to the same files.
    const std::string base = "/data/x/../Cols/./music.col";
    EXPECT_EQ(Relative("/data/a.cdi", base), "..\\a.cdi");
    EXPECT_EQ(Relative("/data/Cols/./Disks/../b.cdi", base), "b.cdi");
    for (const std::string target : {"/data/a.cdi", "/data/Cols/Disks/c.cdi", "/z.cdi"}) {
        EXPECT_EQ(Absolute(Relative(target, base), base), target);
    }
}

TEST(DottedCollectionPath, LoaderFindsTheDisksBesideTheCollection) {
    CTempFolder folder;
    folder.Write("disks/.keep");
    folder.Write("cols/sub/.keep");
    folder.Write("cols/Sample.col", "..\\disks\\Music.cdi\r\n");
    CCollDisk disk;
    ASSERT_TRUE(disk.SaveIndexFile(folder.Path("disks/Music.cdi")));

    CMessageRecorder messages;
    CCollection loaded;
    ASSERT_TRUE(CCollLoader(loaded).Load(folder.Path("cols/sub/../Sample.col")));
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(loaded.disks.size(), 1u);
    EXPECT_EQ(loaded.disks[0]->indexPath, folder.Path("disks/Music.cdi"));
    EXPECT_EQ(loaded.disks[0]->title, "Music");
}
