#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

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

CliResult RunCli(const CTempFolder& folder, const std::vector<std::string>& args) {
    std::string command = TAMBLOR_CLI_PATH;
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
    CliResult badDate = RunCli(work, {"scan", disk.Path(), "-o", cdi, "--force",
                                      "--burn-date", "2006-02-30"});
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
    CliResult dated =
        RunCli(work, {"search", col, "--modified", "2004-11-08", "2004-11-10"});
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
