// SPDX-License-Identifier: GPL-3.0-or-later
// The disk properties' rules: what OK and Edit/Apply check, in which order, what they store
// and when the index file's header is rewritten.

#include "shell/disk_edit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "helpers/date_format.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace {

using Messages = std::vector<std::string>;
using Mode = CCollDiskEdit::Mode;

const char tooLong[] = "Description is too long, it can be 255 characters at most";
constexpr Time32 christmasNoon = 1167066000;  // 2006-12-25 12:00 in New York

// Root may write a read-only file; for as long as this lives the process acts as nobody.
class COrdinaryUser {
public:
    COrdinaryUser() {
        if (::geteuid() == 0) {
            switched = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
            usable = switched;
        }
    }
    COrdinaryUser(const COrdinaryUser&) = delete;
    COrdinaryUser& operator=(const COrdinaryUser&) = delete;
    ~COrdinaryUser() {
        if (switched) {
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
        }
    }
    bool usable = true;

private:
    bool switched = false;
};

// A disk of the collection: its index file in `folder`, its header read back from it.
std::unique_ptr<CCollDisk> IndexedDisk(const CTempFolder& folder) {
    CCollDisk scanned;
    auto file = std::make_unique<CCollDiskFile>();
    file->name = "song.mp3";
    file->size = 1234;
    scanned.content.files.Add(std::move(file));
    scanned.ComputeTotals();
    scanned.header.burnDate = christmasNoon + 3 * 3600;
    EXPECT_TRUE(scanned.header.SetDescription("Old words"));
    std::string path = folder.Path("Holiday.cdi");
    EXPECT_TRUE(scanned.SaveIndexFile(path));
    auto disk = CCollDisk::OfIndexFile(path);
    EXPECT_TRUE(disk->ReadHeader());
    return disk;
}

CCollDiskHeader HeaderOnFile(const std::string& path) {
    auto disk = CCollDisk::OfIndexFile(path);
    EXPECT_TRUE(disk->ReadHeader());
    return disk->header;
}

}  // namespace

TEST(DiskEdit, NewDiskOkChecksTitleDescriptionDateInThatOrderAndStoresOnlyWhenAllPass) {
    CTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    CMessageRecorder recorder;
    CCollDisk disk;
    disk.header.burnDate = 7;
    CCollDiskEdit edit(disk, Mode::newDisk, CDateFormat::MonthFirst());
    EXPECT_TRUE(edit.IsEditing());
    EXPECT_TRUE(edit.IsTitleWritable());
    EXPECT_TRUE(edit.AreFieldsWritable());
    // No index file yet: the button reads "Edit", is disabled and does nothing.
    EXPECT_FALSE(edit.IsEditButtonEnabled());
    EXPECT_STREQ(edit.GetEditButtonText(), "Edit");
    edit.PressEditButton("12/25/06", "x");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(disk.header.burnDate, 7);

    std::string words255(255, 'w');
    std::string words256(256, 'w');
    // Every field wrong: only the first check speaks.
    EXPECT_FALSE(edit.Ok("", "bad", words256));
    EXPECT_FALSE(edit.Ok(" \t ", "bad", words256));
    EXPECT_FALSE(edit.Ok("CON", "bad", words256));
    EXPECT_FALSE(edit.Ok("a|b", "bad", words256));
    EXPECT_FALSE(edit.Ok("a/b", "bad", words256));
    EXPECT_FALSE(edit.Ok("Holiday", "bad", words256));
    EXPECT_FALSE(edit.Ok("Holiday", "bad", words255));
    // Bytes count, as the header keeps them: 128 two-byte letters are too many.
    std::string accented;
    for (int i = 0; i < 128; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_FALSE(edit.Ok("Holiday", "12/25/06", accented));
    EXPECT_EQ(recorder.messages,
              (Messages{"Title cannot be empty", "Title cannot be empty", "Invalid file title CON",
                        "Invalid file title a|b", "Invalid file title a/b", tooLong,
                        "Invalid burn date", tooLong}));
    EXPECT_EQ(disk.title, "");
    EXPECT_EQ(disk.header.GetDescription(), "");
    EXPECT_EQ(disk.header.burnDate, 7);

    std::string title63(63, 't');
    recorder.messages.clear();
    EXPECT_TRUE(edit.Ok(title63, "12/25/2006", words255));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(disk.title, title63);
    EXPECT_EQ(disk.header.GetDescription(), words255);
    EXPECT_EQ(disk.header.burnDate, christmasNoon);
    EXPECT_TRUE(disk.indexPath.empty());
}

TEST(DiskEdit, ViewModeEditThenApplyChecksDateBeforeDescriptionAndRewritesTheHeader) {
    CTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    CTempFolder folder;
    CMessageRecorder recorder;
    auto disk = IndexedDisk(folder);
    CCollDiskEdit edit(*disk, Mode::view, CDateFormat::DayFirst());
    EXPECT_FALSE(edit.IsEditing());
    EXPECT_FALSE(edit.IsTitleWritable());
    EXPECT_FALSE(edit.AreFieldsWritable());
    EXPECT_TRUE(edit.IsEditButtonEnabled());
    EXPECT_EQ(edit.GetDateText(), "25/12/06");
    EXPECT_EQ(edit.GetDescription(), "Old words");

    edit.PressEditButton("ignored", "ignored");
    EXPECT_TRUE(edit.IsEditing());
    EXPECT_TRUE(edit.AreFieldsWritable());
    EXPECT_FALSE(edit.IsTitleWritable());
    EXPECT_STREQ(edit.GetEditButtonText(), "Apply");
    EXPECT_TRUE(recorder.messages.empty());

    edit.PressEditButton("31/02/69", std::string(256, 'x'));
    edit.PressEditButton("01/07/06", std::string(256, 'x'));
    EXPECT_EQ(recorder.messages, (Messages{"Invalid burn date", tooLong}));
    EXPECT_TRUE(edit.IsEditing());
    EXPECT_EQ(disk->header.GetDescription(), "Old words");
    EXPECT_EQ(HeaderOnFile(disk->indexPath).GetDescription(), "Old words");

    recorder.messages.clear();
    edit.PressEditButton("01/07/06", "New words");
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(edit.IsEditing());
    EXPECT_FALSE(edit.AreFieldsWritable());
    EXPECT_STREQ(edit.GetEditButtonText(), "Edit");
    CCollDiskHeader written = HeaderOnFile(disk->indexPath);
    EXPECT_EQ(written.GetDescription(), "New words");
    EXPECT_EQ(written.burnDate, 1151769600);  // 2006-07-01 12:00 daylight time
    EXPECT_EQ(written.totalFiles, 1);
    EXPECT_EQ(written.totalBytes, 1234u);
}

TEST(DiskEdit, ApplyOnAReadOnlyIndexFileStaysEditingWithTheValuesInMemory) {
    CTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    CTempFolder folder;
    CMessageRecorder recorder;
    auto disk = IndexedDisk(folder);
    std::string before = CTempFolder::Read(disk->indexPath);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(disk->indexPath.c_str(), 0444), 0);
    CCollDiskEdit edit(*disk, Mode::view, CDateFormat::MonthFirst());
    edit.PressEditButton("", "");
    {
        COrdinaryUser nobody;
        if (!nobody.usable) {
            GTEST_SKIP() << "cannot act as an ordinary user here";
        }
        edit.PressEditButton("07/01/06", "Kept words");
        EXPECT_EQ(recorder.messages, Messages{"Access to " + disk->indexPath + " was denied."});
        EXPECT_TRUE(edit.IsEditing());
        // OK while editing applies too, and so keeps the dialog open after the same failure.
        EXPECT_FALSE(edit.Ok("Holiday", "07/01/06", "Kept words"));
        EXPECT_EQ(recorder.messages.size(), 2u);
    }
    EXPECT_EQ(disk->header.GetDescription(), "Kept words");
    EXPECT_EQ(disk->header.burnDate, 1151769600);
    EXPECT_EQ(CTempFolder::Read(disk->indexPath), before);

    // Once the file may be written, OK writes and closes.
    ASSERT_EQ(::chmod(disk->indexPath.c_str(), 0644), 0);
    EXPECT_TRUE(edit.Ok("Holiday", "07/01/06", "Kept words"));
    EXPECT_FALSE(edit.IsEditing());
    EXPECT_EQ(HeaderOnFile(disk->indexPath).GetDescription(), "Kept words");
}

TEST(DiskEdit, ViewModeOkWithoutEditingStoresAndWritesNothing) {
    CTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    CTempFolder folder;
    CMessageRecorder recorder;
    auto disk = IndexedDisk(folder);
    std::string before = CTempFolder::Read(disk->indexPath);
    // A title no file could have on the other platform, and a date the field cannot show:
    // neither can be changed here, so neither may keep the dialog from closing.
    disk->title = "a|b";
    disk->header.burnDate = -1;
    CCollDiskEdit edit(*disk, Mode::view, CDateFormat::MonthFirst());
    EXPECT_EQ(edit.GetDateText(), "");
    EXPECT_TRUE(edit.Ok("a|b", "", "changed"));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(disk->header.burnDate, -1);
    EXPECT_EQ(disk->header.GetDescription(), "Old words");
    EXPECT_EQ(CTempFolder::Read(disk->indexPath), before);
}

TEST(DiskEdit, ShowsTheSerialSignedAndTheByteTotalUnsigned) {
    CCollDisk disk;
    disk.header.serial = 3000000000u;
    disk.header.totalBytes = 3000000000u;
    disk.header.totalFiles = 1234567;
    disk.header.totalFolders = 1000;
    disk.header.SetLabel("PHOTOS_2006");
    CCollDiskEdit edit(disk, Mode::view, CDateFormat::MonthFirst());
    EXPECT_EQ(edit.GetSerialText(), "-1294967296");
    EXPECT_EQ(edit.GetTotalBytesText(), "3,000,000,000");
    EXPECT_EQ(edit.GetTotalFilesText(), "1,234,567");
    EXPECT_EQ(edit.GetTotalFoldersText(), "1,000");
    EXPECT_EQ(edit.GetLabel(), "PHOTOS_2006");
}
