// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "store/coll_disk.h"
#include "support/temp_folder.h"

namespace {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs tamblor-cli in `cwd` (the test's own folder when empty).
CliResult RunCli(const CTempFolder& folder, const std::vector<std::string>& args,
                 const std::string& cwd = {}) {
    std::string command = cwd.empty() ? "" : "cd " + Quote(cwd) + " && ";
    command += TAMBLOR_CLI_PATH;
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    command += " >" + Quote(folder.Path("out.txt")) + " 2>" + Quote(folder.Path("err.txt"));
    int status = std::system(command.c_str());
    CliResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = CTempFolder::Read(folder.Path("out.txt"));
    result.err = CTempFolder::Read(folder.Path("err.txt"));
    return result;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find(separator, start);
        if (end == std::string::npos) {
            end = text.size();
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines = Split(text, '\n');
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// What a script does with a printed field: every %XX back to its byte.
std::string PercentDecode(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
    return hash;
}

void AppendLe32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void SetModify(const std::string& path, time_t access, time_t modify) {
    struct timespec times[2] = {{access, 0}, {modify, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(Cli, ScanWritesAnIndexWhoseTreeMatchesTheFolder) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("Music/01 - Intro.mp3", "abc");
    disk.Write("Music/Live/02.mp3", "defg");
    disk.Write("readme.txt", "r");
    SetModify(disk.Path("Music/Live/02.mp3"), 1200000000, 1100000000);
    SetModify(disk.Path("readme.txt"), 1200000001, 1100000001);
    SetModify(disk.Path("Music/Live"), 1200000002, 1100000002);
    SetModify(disk.Path("Music"), 1200000003, 1100000003);
    std::string cdi = work.Path("Music 01.cdi");

    CliResult scan = RunCli(work, {"scan", disk.Path(), "-o", cdi, "--description", "Tunes",
                                   "--burn-date", "2006-07-01"});
    ASSERT_EQ(scan.code, 0) << scan.err;
    EXPECT_EQ(scan.out, "3 files, 2 folders, 8 bytes\n");

    CliResult again = RunCli(work, {"scan", disk.Path(), "-o", cdi});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err, "File exists: " + cdi + "\n");

    CliResult info = RunCli(work, {"info", cdi});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("title: Music 01\nlabel: "), std::string::npos);
    EXPECT_NE(info.out.find("\ndescription: Tunes\nfiles: 3\nfolders: 2\nbytes: 8\n"),
              std::string::npos);

    CliResult tree = RunCli(work, {"tree", cdi});
    ASSERT_EQ(tree.code, 0) << tree.err;
    struct stat music {};
    ASSERT_EQ(::stat(disk.Path("Music").c_str(), &music), 0);
    // Creation times are birth times, which a test cannot set; check the rest exactly.
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < tree.out.size()) {
        std::string::size_type end = tree.out.find('\n', start);
        std::string line = tree.out.substr(start, end - start);
        std::string::size_type second = line.find('\t', line.find('\t') + 1);
        std::string::size_type third = line.find('\t', second + 1);
        lines.push_back(line.substr(0, second) + line.substr(third));
        start = end + 1;
    }
    ASSERT_EQ(lines.size(), 5u) << tree.out;
    EXPECT_EQ(lines[0], "D\t0\t1100000003\t1200000003\tMusic 01:\\Music");
    EXPECT_EQ(lines[1], "D\t0\t1100000002\t1200000002\tMusic 01:\\Music\\Live");
    EXPECT_EQ(lines[2], "F\t4\t1100000000\t1200000000\tMusic 01:\\Music\\Live\\02.mp3");
    EXPECT_EQ(lines[3].substr(0, 4), "F\t3\t");
    EXPECT_NE(lines[3].find("\tMusic 01:\\Music\\01 - Intro.mp3"), std::string::npos);
    EXPECT_EQ(lines[4], "F\t1\t1100000001\t1200000001\tMusic 01:\\readme.txt");

    EXPECT_EQ(RunCli(work, {"scan", "-o", cdi}).code, 2);
    EXPECT_EQ(RunCli(work, {}).code, 2);
    CliResult badDate =
        RunCli(work, {"scan", disk.Path(), "-o", cdi, "--force", "--burn-date", "2006-02-30"});
    EXPECT_EQ(badDate.code, 1);
    EXPECT_EQ(badDate.err, "Invalid burn date\n");
}

TEST(Cli, CollectionCommandsChangeAndReportTheCollection) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("a.txt", "12345");
    std::string first = work.Path("disks/Holiday 2006.cdi");
    std::string second = work.Path("disks/Photos 2004.cdi");
    std::filesystem::create_directories(work.Path("disks"));
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", first, "--burn-date", "2006-08-01"}).code,
              0);
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", second}).code, 0);
    std::string col = work.Path("Sample.col");

    CliResult add = RunCli(work, {"collection", col, "add", first, second, first});
    ASSERT_EQ(add.code, 0) << add.err;
    EXPECT_EQ(CTempFolder::Read(col), "disks\\Holiday 2006.cdi\r\ndisks\\Photos 2004.cdi\r\n");

    CliResult list = RunCli(work, {"collection", col, "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    std::tm noon{};
    noon.tm_year = 2006 - 1900;
    noon.tm_mon = 7;
    noon.tm_mday = 1;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    std::string burnDate = std::to_string(std::mktime(&noon));
    EXPECT_NE(list.out.find("Holiday 2006\t" + first + "\t1\t0\t5\t" + burnDate + "\n"),
              std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("Photos 2004\t" + second + "\t1\t0\t5\t0\n"), std::string::npos);

    CliResult describe = RunCli(work, {"collection", col, "describe", "Family\nDisks"});
    ASSERT_EQ(describe.code, 0) << describe.err;
    EXPECT_EQ(CTempFolder::Read(col).substr(0, 32), "[DESCRIPTION]\r\nFamily\r\nDisks\r\n\r\n");

    CliResult missing = RunCli(work, {"collection", col, "remove", "holiday 2006"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Disk not found\n");
    ASSERT_EQ(RunCli(work, {"collection", col, "remove", "Holiday 2006"}).code, 0);

    CliResult totals = RunCli(work, {"totals", col});
    ASSERT_EQ(totals.code, 0) << totals.err;
    EXPECT_EQ(totals.out, "disks: 1\nfolders: 0\nfiles: 1\nbytes: 5\n");

    // A disk that cannot be read now would be dropped by a save: nothing is changed.
    std::filesystem::remove(second);
    std::string before = CTempFolder::Read(col);
    CliResult blocked = RunCli(work, {"collection", col, "add", first});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_EQ(CTempFolder::Read(col), before);
    EXPECT_EQ(RunCli(work, {"collection", col, "frobnicate"}).code, 2);
}

TEST(Cli, SearchPrintsResultsInTheEnginesOrder) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("Trip/Day1/img001.jpg", "1");
    disk.Write("Trip/notes.txt", "2");
    disk.Write("trip.doc", "3");
    SetModify(disk.Path("trip.doc"), 1200000000, 1100000000);
    std::string cdi = work.Path("Photos.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", cdi}).code, 0);
    std::string col = work.Path("c.col");
    ASSERT_EQ(RunCli(work, {"collection", col, "add", cdi}).code, 0);

    CliResult all = RunCli(work, {"search", col});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(all.out,
              "Folder\tPhotos:\\Trip\nFile\tPhotos:\\trip.doc\nFolder\tPhotos:\\Trip\\Day1\n"
              "File\tPhotos:\\Trip\\notes.txt\nFile\tPhotos:\\Trip\\Day1\\img001.jpg\n");
    EXPECT_EQ(all.err, "5 results\n");
    EXPECT_EQ(RunCli(work, {"search", col, "--mmap"}).out, all.out);

    CliResult words = RunCli(work, {"search", col, "TRIP", "img", "--type", "file"});
    EXPECT_EQ(words.out, "File\tPhotos:\\trip.doc\nFile\tPhotos:\\Trip\\Day1\\img001.jpg\n");
    CliResult exact = RunCli(work, {"search", col, "Trip", "--case", "--disk", "Photos"});
    EXPECT_EQ(exact.out, "Folder\tPhotos:\\Trip\n");
    CliResult dated = RunCli(work, {"search", col, "--modified", "2004-11-08", "2004-11-10"});
    EXPECT_EQ(dated.out, "File\tPhotos:\\trip.doc\n");
    CliResult none = RunCli(work, {"search", col, "nothing"});
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(none.err, "0 results\n");

    EXPECT_EQ(RunCli(work, {"search", col, "--disk", "photos"}).err, "Disk not found\n");
    EXPECT_EQ(RunCli(work, {"search", col, "--type", "disk"}).code, 2);
    EXPECT_EQ(RunCli(work, {"search", col, "--created", "yesterday", "today"}).code, 2);
    std::filesystem::remove(cdi);
    EXPECT_EQ(RunCli(work, {"search", col}).code, 1);
}

TEST(Cli, NamesThatWouldBreakALineAreEscapedAndJsonKeepsTheirBytes) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("amb\\sub/x");
    disk.Write("amb/sub/x");
    disk.Write("tab\there");
    disk.Write("line\nF 999 forged");
    disk.Write("50%");
    disk.Write("caf\xe9");
    std::string cdi = work.Path("Odd:Disk.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", cdi, "--description", "one\ntwo"}).code, 0);

    CliResult tree = RunCli(work, {"tree", cdi});
    ASSERT_EQ(tree.code, 0) << tree.err;
    std::vector<std::string> paths;
    for (const std::string& line : Lines(tree.out)) {
        std::vector<std::string> fields = Split(line, '\t');
        ASSERT_EQ(fields.size(), 6u) << line;
        paths.push_back(fields[5]);
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> expected = {
        "Odd%3ADisk:\\50%25",     "Odd%3ADisk:\\amb",
        "Odd%3ADisk:\\amb%5Csub", "Odd%3ADisk:\\amb%5Csub\\x",
        "Odd%3ADisk:\\amb\\sub",  "Odd%3ADisk:\\amb\\sub\\x",
        "Odd%3ADisk:\\caf\xe9",   "Odd%3ADisk:\\line%0AF 999 forged",
        "Odd%3ADisk:\\tab%09here"};
    EXPECT_EQ(paths, expected);
    // Each field between separators decodes to the exact name.
    EXPECT_EQ(PercentDecode("line%0AF 999 forged"), "line\nF 999 forged");
    EXPECT_EQ(PercentDecode("amb%5Csub"), "amb\\sub");
    EXPECT_EQ(PercentDecode("Odd%3ADisk"), "Odd:Disk");

    CliResult json = RunCli(work, {"tree", cdi, "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(Lines(json.out).size(), 9u);
    for (const char* names :
         {R"("disk":"Odd:Disk","names":["amb\\sub","x"]})", R"("names":["amb","sub","x"]})",
          R"("names":["tab\there"]})", R"("names":["line\nF 999 forged"]})",
          R"("names":["caf\udce9"]})", R"("path":"Odd:Disk:\\50%","disk")"}) {
        EXPECT_NE(json.out.find(names), std::string::npos) << names << "\n" << json.out;
    }

    CliResult info = RunCli(work, {"info", cdi});
    EXPECT_NE(info.out.find("title: Odd:Disk\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\ndescription: one%0Atwo\n"), std::string::npos) << info.out;
    CliResult infoJson = RunCli(work, {"info", "--json", cdi});
    EXPECT_NE(infoJson.out.find(R"("description":"one\ntwo","files":6,"folders":3,)"),
              std::string::npos)
        << infoJson.out;
    EXPECT_EQ(Lines(infoJson.out).size(), 1u);

    // A title with a colon would break every catalogue path of the disk: a collection
    // refuses it, and takes a copy under a plain name.
    std::string col = work.Path("c.col");
    CliResult refused = RunCli(work, {"collection", col, "add", cdi});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("Invalid file title Odd:Disk"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(col));
    cdi = work.Path("Odd Disk.cdi");
    std::filesystem::copy_file(work.Path("Odd:Disk.cdi"), cdi);
    ASSERT_EQ(RunCli(work, {"collection", col, "add", cdi}).code, 0);
    CliResult found = RunCli(work, {"search", col, "x", "sub", "--case"});
    EXPECT_EQ(found.out,
              "Folder\tOdd Disk:\\amb%5Csub\nFolder\tOdd Disk:\\amb\\sub\n"
              "File\tOdd Disk:\\amb%5Csub\\x\nFile\tOdd Disk:\\amb\\sub\\x\n")
        << found.out;
    EXPECT_EQ(found.err, "4 results\n");
    CliResult foundJson = RunCli(work, {"search", col, "x", "--type", "file", "--json"});
    EXPECT_EQ(foundJson.out, R"({"type":"File","path":"Odd Disk:\\amb\\sub\\x","disk":"Odd Disk",)"
                             R"("names":["amb\\sub","x"]})"
                             "\n"
                             R"({"type":"File","path":"Odd Disk:\\amb\\sub\\x","disk":"Odd Disk",)"
                             R"("names":["amb","sub","x"]})"
                             "\n");
    EXPECT_EQ(RunCli(work, {"search", col, "caf", "--mmap"}).out, "File\tOdd Disk:\\caf\xe9\n");

    CliResult list = RunCli(work, {"collection", col, "list", "--json"});
    EXPECT_EQ(list.out, R"({"title":"Odd Disk","index":")" + cdi +
                            R"(","files":6,"folders":3,"bytes":0,"burn-date":0})" + "\n");
    CliResult totals = RunCli(work, {"totals", col, "--json"});
    EXPECT_EQ(totals.out, R"({"disks":1,"folders":3,"files":6,"bytes":0})"
                          "\n");
}

TEST(Cli, TreeWalksAnyDepthAndPrintsTheSampleAsBefore) {
    // 3,000 nested folders "d", the last holding one file "f", written as the format lays
    // them out: each folder's record, then its subtree. Under a 512 KiB stack a walk that
    // nests a call per level dies long before the bottom; any depth must work.
    const std::uint32_t depth = 3000;
    std::string bytes(344, '\0');
    AppendLe32(bytes, 1);
    AppendLe32(bytes, 356);
    AppendLe32(bytes, 0);
    for (std::uint32_t level = 0; level < depth; ++level) {
        std::uint32_t offset = static_cast<std::uint32_t>(bytes.size());
        bytes += '\1';
        bytes += 'd';
        for (int time = 0; time < 3; ++time) {
            AppendLe32(bytes, 1000000000);
        }
        bool last = level + 1 == depth;
        AppendLe32(bytes, last ? 0 : 1);
        if (!last) {
            AppendLe32(bytes, offset + 26);
        }
        AppendLe32(bytes, last ? 1 : 0);
        if (last) {
            AppendLe32(bytes, offset + 26);
            bytes += '\1';
            bytes += 'f';
            for (int field = 0; field < 4; ++field) {
                AppendLe32(bytes, 7);
            }
        }
    }
    CTempFolder work;
    std::string cdi = work.Write("Deep.cdi", bytes);
    std::string command = "ulimit -s 512; { " + std::string(TAMBLOR_CLI_PATH) + " tree " +
                          Quote(cdi) + "; echo $? >" + Quote(work.Path("rc.txt")) +
                          "; } | tail -c 20 >" + Quote(work.Path("out.txt"));
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(CTempFolder::Read(work.Path("rc.txt")), "0\n");
    EXPECT_EQ(CTempFolder::Read(work.Path("out.txt")), "d\\d\\d\\d\\d\\d\\d\\d\\d\\f\n");

    // The sample collection's trees and a search over them, as printed before names were
    // escaped (no sample name needs it). scripts/make-sample changes these figures.
    std::string sample = std::string(TAMBLOR_SOURCE_DIR) + "/examples";
    std::vector<std::string> disks;
    for (const auto& entry : std::filesystem::directory_iterator(sample + "/disks")) {
        disks.push_back(entry.path().string());
    }
    std::sort(disks.begin(), disks.end());
    std::string trees;
    for (const std::string& disk : disks) {
        CliResult tree = RunCli(work, {"tree", disk});
        ASSERT_EQ(tree.code, 0) << tree.err;
        trees += tree.out;
    }
    EXPECT_EQ(Lines(trees).size(), 2244u);
    EXPECT_EQ(Fnv1a(trees), 0x4f90ca783adb0be6u);
    CliResult search = RunCli(work, {"search", sample + "/Sample.col"});
    EXPECT_EQ(Fnv1a(search.out), 0x033b66f0457aaa3cu);
}

TEST(Cli, PathsOnTheCommandLineAreThisSystemsPaths) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("a.txt", "1");
    std::filesystem::create_directories(work.Path("sub"));
    CliResult scan = RunCli(work, {"scan", disk.Path(), "-o", "a\\b.cdi"}, work.Path());
    ASSERT_EQ(scan.code, 0) << scan.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(work.Path("a\\b.cdi")));
    EXPECT_FALSE(std::filesystem::exists(work.Path("a")));
    CliResult info = RunCli(work, {"info", "a\\b.cdi"}, work.Path());
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, 14), "title: a%5Cb\nl");

    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", "./sub/../c.cdi"}, work.Path()).code, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(work.Path("c.cdi")));
    EXPECT_EQ(RunCli(work, {"info", "sub/.//../c.cdi"}, work.Path()).code, 0);
}

TEST(Cli, AnAddThatInsertsNothingLeavesTheCollectionAlone) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("a.txt", "1");
    std::string cdi = work.Path("A.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", cdi}).code, 0);

    std::string fresh = work.Path("fresh.col");
    CliResult failed = RunCli(work, {"collection", fresh, "add", work.Path("missing.cdi")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));

    // Written by hand, not as a save would write it: a save would show.
    std::string col = work.Write("hand.col", "A.cdi\n\n");
    CliResult listed = RunCli(work, {"collection", col, "add", cdi});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(CTempFolder::Read(col), "A.cdi\n\n");
}

TEST(Cli, EditRewritesOnlyTheDescriptionAndBurnDate) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("Docs/a.txt", "12345");
    std::string cdi = work.Path("Docs.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", cdi, "--description", "Old text",
                            "--burn-date", "2001-01-01"})
                  .code,
              0);
    std::string before = CTempFolder::Read(cdi);

    CliResult edit =
        RunCli(work, {"edit", cdi, "--description", "New", "--burn-date", "2010-05-06"});
    ASSERT_EQ(edit.code, 0) << edit.err;
    EXPECT_EQ(edit.out, "");
    EXPECT_EQ(edit.err, "");
    std::string after = CTempFolder::Read(cdi);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, 8), before.substr(0, 8));
    EXPECT_NE(after.substr(8, 4), before.substr(8, 4));
    EXPECT_EQ(after.substr(12, 64), before.substr(12, 64));
    EXPECT_EQ(after.substr(76, 4), std::string("New\0", 4));
    EXPECT_EQ(after.substr(332), before.substr(332));
    std::tm noon{};
    noon.tm_year = 2010 - 1900;
    noon.tm_mon = 4;
    noon.tm_mday = 6;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    EXPECT_NE(
        RunCli(work, {"info", cdi})
            .out.find("burn-date: " + std::to_string(std::mktime(&noon)) + "\ndescription: New\n"),
        std::string::npos);

    CliResult tooLong = RunCli(work, {"edit", cdi, "--description", std::string(256, 'x')});
    EXPECT_EQ(tooLong.code, 1);
    EXPECT_EQ(tooLong.err, "Description is too long, it can be 255 characters at most\n");
    CliResult badDate =
        RunCli(work, {"edit", cdi, "--description", "Fine", "--burn-date", "2010-13-01"});
    EXPECT_EQ(badDate.code, 1);
    EXPECT_EQ(badDate.err, "Invalid burn date\n");
    EXPECT_EQ(RunCli(work, {"edit", cdi}).code, 0);
    EXPECT_EQ(CTempFolder::Read(cdi), after);
    EXPECT_EQ(RunCli(work, {"edit", work.Path("none.cdi"), "--description", "x"}).code, 1);
    EXPECT_EQ(RunCli(work, {"edit", cdi, "--title", "x"}).code, 2);
}

TEST(Cli, FilesOver4GiBAndTimesBeyond32BitsAreListedExactly) {
    CTempFolder work;
    CTempFolder disk;
    std::filesystem::resize_file(disk.Write("film.mkv"), 5ULL << 30);
    std::filesystem::resize_file(disk.Write("image.iso"), 3ULL << 30);
    disk.Write("old/future.txt", "ab");
    SetModify(disk.Path("old/future.txt"), 2208988800, -315619200);
    std::string cdi = work.Path("USB.cdi");
    CliResult scan = RunCli(work, {"scan", disk.Path(), "-o", cdi});
    ASSERT_EQ(scan.code, 0) << scan.err;
    EXPECT_EQ(scan.out, "3 files, 1 folders, 8589934594 bytes\n");
    EXPECT_NE(RunCli(work, {"info", cdi}).out.find("\nfiles: 3\nfolders: 1\nbytes: 8589934594\n"),
              std::string::npos);

    std::string tree = RunCli(work, {"tree", cdi}).out;
    EXPECT_NE(tree.find("F\t5368709120\t"), std::string::npos) << tree;
    EXPECT_NE(tree.find("F\t3221225472\t"), std::string::npos) << tree;
    EXPECT_NE(tree.find("\t-315619200\t2208988800\tUSB:\\old\\future.txt\n"), std::string::npos)
        << tree;
    std::string json = RunCli(work, {"tree", cdi, "--json"}).out;
    EXPECT_NE(json.find("\"size\":5368709120,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"modified\":-315619200,\"accessed\":2208988800,"), std::string::npos);

    // Two such disks add up past what 32 bits hold.
    std::filesystem::copy_file(cdi, work.Path("USB 2.cdi"));
    std::string col = work.Path("big.col");
    ASSERT_EQ(RunCli(work, {"collection", col, "add", cdi, work.Path("USB 2.cdi")}).code, 0);
    EXPECT_EQ(Lines(RunCli(work, {"collection", col, "list"}).out)[0],
              "USB\t" + cdi + "\t3\t1\t8589934594\t0");
    EXPECT_EQ(RunCli(work, {"totals", col, "--json"}).out,
              "{\"disks\":2,\"folders\":2,\"files\":6,\"bytes\":17179869188}\n");
    CliResult past = RunCli(work, {"search", col, "--accessed", "2039-12-31", "2040-01-02"});
    EXPECT_EQ(past.out, "File\tUSB:\\old\\future.txt\nFile\tUSB 2:\\old\\future.txt\n");
    CliResult before = RunCli(
        work, {"search", col, "--modified", "1959-12-31", "1960-01-02", "--disk", "USB", "--mmap"});
    EXPECT_EQ(before.out, "File\tUSB:\\old\\future.txt\n");
    ASSERT_EQ(RunCli(work, {"export", col}).code, 0);
    EXPECT_NE(CTempFolder::Read(work.Path("big.htm")).find("<TD>8,589,934,594</TD>"),
              std::string::npos);

    // A burn date is kept in 32 bits, and a date it cannot hold is refused, not cut.
    CliResult late = RunCli(work, {"edit", cdi, "--burn-date", "2040-01-01"});
    EXPECT_EQ(late.code, 1);
    EXPECT_EQ(late.err, "Invalid burn date\n");
}

TEST(Cli, ACollectionWithAMissingDiskPrintsTheRestAndEndsWithOne) {
    CTempFolder work;
    CTempFolder disk;
    disk.Write("a.txt", "12345");
    std::string kept = work.Path("Kept.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", kept}).code, 0);
    std::string col = work.Write("Some.col", "Kept.cdi\r\nGone.cdi\r\n");
    const std::string gone =
        work.Path("Gone.cdi") + " was not found.\nFailed loading disk Gone.cdi\n";
    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"collection", col, "list"}, {"totals", col}, {"search", col, "a"}}) {
        SCOPED_TRACE(command[0]);
        CliResult result = RunCli(work, command);
        EXPECT_EQ(result.code, 1);
        EXPECT_EQ(result.err.substr(0, gone.size()), gone);
        EXPECT_FALSE(result.out.empty());
    }
    CliResult whole = RunCli(work, {"totals", work.Write("Whole.col", "Kept.cdi\r\n")});
    EXPECT_EQ(whole.code, 0) << whole.err;
    EXPECT_EQ(whole.err, "");
}

TEST(Cli, DiffAndUpdateReportTheChangesAndUpdateWritesOnlyTheSameDisk) {
    CTempFolder work;
    CTempFolder disk;
    const time_t t = 1000000000;
    for (const char* name : {"keep", "a\\b.txt", "d/n\xff"}) {
        disk.Write(name, "1");
        SetModify(disk.Path(name), t, t);
    }
    std::string stick = work.Path("Stick.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", stick, "--description", "Holiday"}).code, 0);
    const std::string before = CTempFolder::Read(stick);
    std::string other = work.Path("Other.cdi");
    std::filesystem::copy_file(stick, other);
    std::filesystem::copy_file(stick, work.Path("Stick2.cdi"));
    {
        // The same tree, read from another volume.
        std::unique_ptr<CCollDisk> another = CCollDisk::OfIndexFile(other);
        ASSERT_TRUE(another->ReadHeader());
        another->header.serial += 1;
        ASSERT_TRUE(another->WriteHeader());
    }
    const std::string otherBefore = CTempFolder::Read(other);

    disk.Write("a\\b.txt", "12");
    SetModify(disk.Path("a\\b.txt"), t, t);
    std::filesystem::create_directory(disk.Path("e"));
    std::filesystem::rename(disk.Path("d/n\xff"), disk.Path("e/n\xff"));
    std::filesystem::remove(disk.Path("keep"));
    disk.Write("new", "new");
    SetModify(disk.Path("new"), t, t);
    std::string now = work.Path("Now.cdi");
    ASSERT_EQ(RunCli(work, {"scan", disk.Path(), "-o", now}).code, 0);

    auto report = [](const std::string& title) {
        return "modified\tF\t1\t2\t1000000000\t1000000000\t" + title + ":\\a%5Cb.txt\n" +
               "added\tD\t-\t-\t-\t-\t" + title + ":\\e\n" +  //
               "moved\tF\t1\t1\t1000000000\t1000000000\t" + title + ":\\e\\n\xff\t" + title +
               ":\\d\\n\xff\n" +  //
               "deleted\tF\t1\t-\t1000000000\t-\t" + title + ":\\keep\n" +
               "added\tF\t-\t3\t-\t1000000000\t" + title + ":\\new\n";
    };
    CliResult diff = RunCli(work, {"diff", stick, now});
    EXPECT_EQ(diff.code, 0) << diff.err;
    EXPECT_EQ(diff.out, report("Now"));
    std::vector<std::string> json = Lines(RunCli(work, {"diff", stick, now, "--json"}).out);
    ASSERT_EQ(json.size(), 5U);
    EXPECT_EQ(json[1], R"({"change":"added","kind":"D","path":"Now:\\e","names":["e"]})");
    EXPECT_EQ(json[2], R"({"change":"moved","kind":"F","path":"Now:\\e\\n\udcff",)"
                       R"("names":["e","n\udcff"],"old_path":"Now:\\d\\n\udcff",)"
                       R"("old_names":["d","n\udcff"],"old_size":1,"old_modified":1000000000,)"
                       R"("size":1,"modified":1000000000})");
    EXPECT_EQ(json[4], R"({"change":"added","kind":"F","path":"Now:\\new","names":["new"],)"
                       R"("size":3,"modified":1000000000})");
    EXPECT_EQ(RunCli(work, {"diff", stick, work.Path("missing.cdi")}).code, 1);

    CliResult dry = RunCli(work, {"update", stick, disk.Path(), "--dry-run"});
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(dry.out, report("Stick"));
    EXPECT_EQ(CTempFolder::Read(stick), before);

    CliResult refused = RunCli(work, {"update", other, disk.Path()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("holds another disk"), std::string::npos) << refused.err;
    EXPECT_EQ(CTempFolder::Read(other), otherBefore);

    CliResult updated = RunCli(work, {"update", stick, disk.Path()});
    EXPECT_EQ(updated.code, 0) << updated.err;
    EXPECT_EQ(updated.out, report("Stick"));
    EXPECT_NE(RunCli(work, {"info", stick}).out.find("description: Holiday\nfiles: 3\n"),
              std::string::npos);
    EXPECT_EQ(RunCli(work, {"diff", stick, now}).out, "");

    // The collection's disk of this volume is updated, the other left alone.
    std::string col = work.Write("Sticks.col", "Other.cdi\r\nStick2.cdi\r\n");
    CliResult fromCollection = RunCli(work, {"update", "--from-collection", col, disk.Path()});
    EXPECT_EQ(fromCollection.code, 0) << fromCollection.err;
    EXPECT_EQ(fromCollection.out, report("Stick2"));
    EXPECT_EQ(RunCli(work, {"diff", work.Path("Stick2.cdi"), now}).out, "");
    EXPECT_EQ(CTempFolder::Read(other), otherBefore);
    CliResult none = RunCli(
        work, {"update", "--from-collection", work.Write("O.col", "Other.cdi\r\n"), disk.Path()});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("No disk of"), std::string::npos) << none.err;

    CliResult anyDisk = RunCli(work, {"update", other, disk.Path(), "--any-disk"});
    EXPECT_EQ(anyDisk.code, 0) << anyDisk.err;
    EXPECT_EQ(RunCli(work, {"diff", other, now}).out, "");
}
