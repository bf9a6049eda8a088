// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_exception.h"
#include "platform/name_text.h"
#include "search/export_disk_list.h"
#include "search/html_writer.h"
#include "store/coll_saver.h"
#include "store/collection.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

// Burn dates are shown in local time; the expected texts are UTC ones.
class CUtcZone {
public:
    CUtcZone() {
        if (const char* zone = std::getenv("TZ")) {
            previous = zone;
        }
        ::setenv("TZ", "UTC0", 1);
        ::tzset();
    }
    CUtcZone(const CUtcZone&) = delete;
    CUtcZone& operator=(const CUtcZone&) = delete;
    ~CUtcZone() {
        if (previous) {
            ::setenv("TZ", previous->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::optional<std::string> previous;
};

CCollDisk* AddDisk(CCollection& collection, const std::string& title, Time32 burnDate,
                   std::int32_t files, std::int32_t folders, std::uint32_t bytes) {
    auto disk = std::make_unique<CCollDisk>(title);
    disk->header.burnDate = burnDate;
    disk->header.totalFiles = files;
    disk->header.totalFolders = folders;
    disk->header.totalBytes = bytes;
    return collection.AddDisk(std::move(disk));
}

void AddThreeDisks(CCollection& collection) {
    AddDisk(collection, "Tom & Jerry <1>", 1152014400, 12, 3, 3000000000U);
    AddDisk(collection, "Epoch", 0, 0, 0, 999);
    AddDisk(collection, "Say \"cheese\"", -1, 1234567, 1000, 0);
}

const char* const threeDiskPage =
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<META charset=\"utf-8\">\r\n"
    "<TITLE></TITLE>\r\n"
    "<LINK rel=\"stylesheet\" href=\"style.css\" >\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n"
    "<TABLE cellspacing=\"0\" frame=\"box\" rules=\"all\" cellpadding=\"4\">\r\n"
    "<TR><TH>Title</TH><TH>Burn date</TH><TH>Files</TH><TH>Folders</TH><TH>Size</TH></TR>\r\n"
    "<TR><TD>Tom &amp; Jerry &lt;1&gt;</TD><TD>04/07/2006</TD><TD>12</TD><TD>3</TD>"
    "<TD>3,000,000,000</TD></TR>\r\n"
    "<TR><TD>Epoch</TD><TD>01/01/1970</TD><TD>0</TD><TD>0</TD><TD>999</TD></TR>\r\n"
    "<TR><TD>Say &quot;cheese&quot;</TD><TD></TD><TD>1234567</TD><TD>1000</TD><TD>0</TD>"
    "</TR>\r\n"
    "</TABLE>\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

}  // namespace

TEST(HtmlExport, ThreeDisksGiveFifteenLinesWithEscapedCells) {
    CUtcZone utc;
    CTempFolder folder;
    CCollection collection;
    AddThreeDisks(collection);

    CHtmlWriter writer;
    ASSERT_TRUE(writer.Open(folder.Path("list.htm")));
    ExportDiskList(writer, TakeDiskListRows(collection));
    writer.Close();

    EXPECT_EQ(CTempFolder::Read(folder.Path("list.htm")), threeDiskPage);
}

// The page declares UTF-8 and holds nothing else: a title in the other platform's code page
// is written as the tables show it, next to the same title typed here.
TEST(HtmlExport, TitlesAreUtf8AsTheyAreShown) {
    CUtcZone utc;
    CTempFolder folder;
    CCollection collection;
    AddDisk(collection, "\xC9t\xE9 2006 & \x80", -1, 1, 0, 0);
    AddDisk(collection, "\xC3\x89t\xC3\xA9 2006", -1, 1, 0, 0);

    CHtmlWriter writer;
    ASSERT_TRUE(writer.Open(folder.Path("list.htm")));
    ExportDiskList(writer, TakeDiskListRows(collection));
    writer.Close();

    std::string page = CTempFolder::Read(folder.Path("list.htm"));
    EXPECT_NE(page.find("<HEAD>\r\n<META charset=\"utf-8\">\r\n"), std::string::npos);
    EXPECT_NE(page.find("<TR><TD>\xC3\x89t\xC3\xA9 2006 &amp; \xE2\x82\xAC</TD><TD></TD>"),
              std::string::npos);
    EXPECT_NE(page.find("<TR><TD>\xC3\x89t\xC3\xA9 2006</TD><TD></TD>"), std::string::npos);
    EXPECT_TRUE(IsValidUtf8(page));
}

TEST(HtmlExport, WritesNextToTheCollectionReplacingAnOldPage) {
    CUtcZone utc;
    CTempFolder folder;
    std::string old = folder.Write("Lists/Music.htm", "old page");
    CCollection collection;
    AddThreeDisks(collection);
    CMessageRecorder recorder;

    std::string output = DiskListPagePath(folder.Path("Lists/Music.col"));
    EXPECT_EQ(output, old);
    CProblems problems;
    ASSERT_TRUE(ExportCollectionList(TakeDiskListRows(collection), output, problems));
    EXPECT_EQ(CTempFolder::Read(old), threeDiskPage);
    EXPECT_TRUE(problems.IsEmpty());
    // Nothing but the page is left in the folder.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.Path("Lists"))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);

    output = DiskListPagePath(folder.Path("Gone/Music.col"));
    ASSERT_FALSE(ExportCollectionList(TakeDiskListRows(collection), output, problems));
    EXPECT_EQ(output, folder.Path("Gone/Music.htm"));
    EXPECT_EQ(problems.GetTexts(),
              std::vector<std::string>{"Failed creating file " + folder.Path("Gone/Music.htm")});
    // The core says what went wrong; showing it is its caller's part.
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(HtmlExport, AnUnfinishedPageLeavesThePreviousOneWhole) {
    CTempFolder folder;
    std::string path = folder.Write("Music.htm", "good page");
    {
        CHtmlWriter writer;
        ASSERT_TRUE(writer.Open(path));
        writer.BeginHtml();
        writer.Cell("half");
    }
    EXPECT_EQ(CTempFolder::Read(path), "good page");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);

    CHtmlWriter closed;
    EXPECT_THROW(closed.WriteLine("text"), CFileException);
    EXPECT_FALSE(closed.Open(folder.Path()));
}

TEST(HtmlExport, CliExportsNextToTheCollectionAndPrintsThePath) {
    CUtcZone utc;
    CTempFolder work;
    CCollection collection;
    AddThreeDisks(collection);
    for (const auto& disk : collection.disks) {
        ASSERT_TRUE(disk->SaveIndexFile(work.Path(disk->title + ".cdi")));
        disk->indexPath = work.Path(disk->title + ".cdi");
    }
    std::string col = work.Path("Music.col");
    ASSERT_TRUE(CCollSaver(collection).Save(col));
    std::string emptyCol = work.Write("Empty.col", "[DESCRIPTION]\r\nNothing yet\r\n\r\n");

    auto run = [&](const std::string& args) {
        std::string command = std::string("TZ=UTC0 ") + TAMBLOR_CLI_PATH + " " + args + " >'" +
                              work.Path("out.txt") + "' 2>/dev/null";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };

    EXPECT_EQ(run("export '" + col + "'"), 0);
    EXPECT_EQ(CTempFolder::Read(work.Path("out.txt")), work.Path("Music.htm") + "\n");
    EXPECT_EQ(CTempFolder::Read(work.Path("Music.htm")), threeDiskPage);

    EXPECT_EQ(run("export '" + emptyCol + "'"), 0);
    EXPECT_EQ(CTempFolder::Read(work.Path("out.txt")), "");
    EXPECT_FALSE(std::filesystem::exists(work.Path("Empty.htm")));

    EXPECT_EQ(run("export '" + work.Path("missing.col") + "'"), 1);
    EXPECT_EQ(run("export"), 2);
}
