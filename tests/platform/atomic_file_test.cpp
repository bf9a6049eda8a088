// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file the way every save does: through symbolic links to the real file, keeping
// what the file was (its mode and owner), and never replacing what the user may not write.

#include "platform/atomic_file.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_exception.h"
#include "support/temp_folder.h"

namespace {

constexpr uid_t nobody = 65534;

void Replace(const std::string& path, const std::string& contents) {
    CAtomicFile out(path);
    out.File().Write(contents.data(), contents.size());
    out.Commit();
}

// The user's text for the failure of a replace, or empty when it succeeded.
std::string ReplaceError(const std::string& path, const std::string& contents = "new") {
    try {
        Replace(path, contents);
    } catch (const CFileException& error) {
        return error.GetErrorMessage();
    }
    return std::string();
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

bool IsLink(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `act` in a child process as an ordinary user, since root may write anything, and
// returns what it answered, or "SKIP" where the machine cannot make one.
std::string AsOrdinaryUser(const std::function<std::string()>& act) {
    std::array<int, 2> channel{};
    if (::pipe(channel.data()) != 0) {
        return "SKIP";
    }
    pid_t child = ::fork();
    if (child == 0) {
        bool ordinary = ::geteuid() != 0 ||
                        (::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0 &&
                         ::setresuid(nobody, nobody, nobody) == 0);
        std::string answer = ordinary ? act() : "SKIP";
        ::_exit(::write(channel[1], answer.data(), answer.size()) < 0 ? 1 : 0);
    }
    ::close(channel[1]);
    std::string answer;
    std::array<char, 4096> buffer{};
    for (ssize_t got; (got = ::read(channel[0], buffer.data(), buffer.size())) > 0;) {
        answer.append(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    if (child < 0) {
        return "SKIP";
    }
    ::waitpid(child, nullptr, 0);
    return answer;
}

}  // namespace

TEST(AtomicFile, WritesThroughLinksToTheFileTheyLeadToAndKeepsItsMode) {
    CTempFolder folder;
    std::string real = folder.Write("real/data.col", "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    // A relative link in another folder, reached through a second link.
    std::filesystem::create_directories(folder.Path("links"));
    std::string near = folder.Path("links/near.col");
    std::string far = folder.Path("far.col");
    ASSERT_EQ(::symlink("../real/data.col", near.c_str()), 0);
    ASSERT_EQ(::symlink(near.c_str(), far.c_str()), 0);

    EXPECT_EQ(ReplaceError(far, "new"), "");
    EXPECT_EQ(CTempFolder::Read(real), "new");
    EXPECT_TRUE(IsLink(far));
    EXPECT_TRUE(IsLink(near));
    EXPECT_EQ(ModeOf(real), 0640u);
    EXPECT_EQ(Entries(folder.Path("real")), std::vector<std::string>{"data.col"});
    EXPECT_EQ(Entries(folder.Path("links")), std::vector<std::string>{"near.col"});

    // A link to nothing yet makes the file it names, with the mode a new file gets.
    std::string dangling = folder.Path("real/dangling.col");
    ASSERT_EQ(::symlink("made.col", dangling.c_str()), 0);
    EXPECT_EQ(ReplaceError(dangling, "made"), "");
    EXPECT_TRUE(IsLink(dangling));
    EXPECT_EQ(CTempFolder::Read(folder.Path("real/made.col")), "made");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(folder.Path("real/made.col")), 0666u & ~mask);

    // Links leading round in a circle are a bad path, and stay as they were.
    std::filesystem::create_directories(folder.Path("loop"));
    std::string a = folder.Path("loop/a.col");
    ASSERT_EQ(::symlink("b.col", a.c_str()), 0);
    ASSERT_EQ(::symlink("a.col", folder.Path("loop/b.col").c_str()), 0);
    EXPECT_EQ(ReplaceError(a), a + " contains an invalid path.");
    EXPECT_TRUE(IsLink(a));
    EXPECT_EQ(Entries(folder.Path("loop")), (std::vector<std::string>{"a.col", "b.col"}));
}

TEST(AtomicFile, RefusesWhatTheUserMayNotWriteAndLeavesItAsItWas) {
    CTempFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    // A read-only file in a folder anyone may write: renaming over it would work.
    std::filesystem::create_directories(folder.Path("open"));
    ASSERT_EQ(::chmod(folder.Path("open").c_str(), 0777), 0);
    std::string locked = folder.Write("open/locked.col", "locked bytes");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    // A file anyone may write in a folder that is read-only.
    std::string free = folder.Write("closed/free.col", "free bytes");
    ASSERT_EQ(::chmod(free.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.Path("closed").c_str(), 0555), 0);
    std::string fresh = folder.Path("closed/new.col");

    std::string answer = AsOrdinaryUser([&] {
        return ReplaceError(locked) + "\n" + ReplaceError(free) + "\n" + ReplaceError(fresh);
    });
    if (answer == "SKIP") {
        GTEST_SKIP() << "cannot run as an ordinary user here";
    }
    EXPECT_EQ(answer, "Access to " + locked + " was denied.\nAccess to " + free +
                          " was denied.\nAccess to " + fresh + " was denied.");
    EXPECT_EQ(CTempFolder::Read(locked), "locked bytes");
    EXPECT_EQ(ModeOf(locked), 0444u);
    EXPECT_EQ(CTempFolder::Read(free), "free bytes");
    EXPECT_EQ(Entries(folder.Path("open")), std::vector<std::string>{"locked.col"});
    EXPECT_EQ(Entries(folder.Path("closed")), std::vector<std::string>{"free.col"});
}

TEST(AtomicFile, RootReplacingAnotherUsersFileLeavesItTheirs) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may write another user's read-only file";
    }
    CTempFolder folder;
    std::string theirs = folder.Write("theirs.col", "their bytes");
    ASSERT_EQ(::chown(theirs.c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0444), 0);
    EXPECT_EQ(ReplaceError(theirs, "root wrote"), "");
    EXPECT_EQ(CTempFolder::Read(theirs), "root wrote");
    struct stat status {};
    ASSERT_EQ(::stat(theirs.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, nobody);
    EXPECT_EQ(status.st_gid, nobody);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
}
