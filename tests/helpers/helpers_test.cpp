// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "helpers/file_path.h"
#include "helpers/number_text.h"
#include "helpers/problems.h"
#include "platform/file_exception.h"
#include "shell/show_message.h"
#include "support/message_recorder.h"

TEST(NumberText, GroupsOfThreeFromTheRight) {
    EXPECT_EQ(FormatNumber(1234567), "1,234,567");
    EXPECT_EQ(FormatNumber(123), "123");
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(1000), "1,000");
    EXPECT_EQ(FormatNumber(-123456), "-123,456");
    EXPECT_EQ(FormatNumber(-2147483647 - 1), "-2,147,483,648");
    EXPECT_EQ(FormatByteCount(5368709120), "5,368,709,120");
    EXPECT_EQ(FormatByteCount(UINT64_MAX), "18,446,744,073,709,551,615");
    EXPECT_EQ(FormatByteCount(0), "0");
    EXPECT_EQ(GroupDigits("1234567", "."), "1.234.567");
    EXPECT_EQ(GroupDigits("", ","), "");
}

TEST(FilePath, SplitsAndRebuildsOnEveryChange) {
    CFilePath path("/home/ann/Index/Music 01.cdi");
    EXPECT_EQ(path.GetFolder(), "/home/ann/Index/");
    EXPECT_EQ(path.GetTitle(), "Music 01");
    EXPECT_EQ(path.GetExtension(), "cdi");
    EXPECT_EQ(path.GetFileName(), "Music 01.cdi");
    EXPECT_EQ(path.GetFolderPath(), "/home/ann/Index/");
    path.SetExtension(".htm");
    EXPECT_EQ(path.GetFullPath(), "/home/ann/Index/Music 01.htm");
    path.SetTitle("List");
    path.SetExtension("");
    EXPECT_EQ(path.GetFullPath(), "/home/ann/Index/List");

    CFilePath bare("archive.tar.gz");
    EXPECT_EQ(bare.GetFolder(), "");
    EXPECT_EQ(bare.GetTitle(), "archive.tar");
    EXPECT_EQ(bare.GetExtension(), "gz");
    EXPECT_EQ(bare.GetFullPath(), "archive.tar.gz");

    // A backslash is part of a name here: the disk of "a\\b.cdi" is titled "a\\b".
    CFilePath backslash("/disks/a\\b.cdi");
    EXPECT_EQ(backslash.GetFolder(), "/disks/");
    EXPECT_EQ(backslash.GetTitle(), "a\\b");
    backslash.SetExtension("htm");
    EXPECT_EQ(backslash.GetFullPath(), "/disks/a\\b.htm");

    EXPECT_FALSE(CFilePath::FromExecutable().GetFileName().empty());
}

TEST(Problems, KeepTheirOrderFormatWithoutTruncatingAndKeepTheFileError) {
    CProblems problems;
    problems.Add("Failed loading disk %s", "Holiday");
    std::string longName(5000, 'n');
    problems.Add("Invalid path: %s", longName.c_str());
    problems.Add(CFileException(CFileException::fileNotFound, "/disks/Gone.cdi", ENOENT));
    EXPECT_EQ(problems.GetTexts(),
              (std::vector<std::string>{"Failed loading disk Holiday", "Invalid path: " + longName,
                                        "/disks/Gone.cdi was not found."}));
    const CProblem& last = problems.GetList().back();
    ASSERT_TRUE(last.fileError.has_value());
    EXPECT_EQ(last.fileError->GetCause(), CFileException::fileNotFound);
    EXPECT_EQ(last.fileError->GetFileName(), "/disks/Gone.cdi");

    // Shown in the same order and words by the command layer.
    CMessageRecorder recorder;
    EXPECT_FALSE(ReportResult(CResult(problems)));
    EXPECT_EQ(recorder.messages, problems.GetTexts());
    EXPECT_TRUE(ReportResult(CResult()));
    EXPECT_EQ(recorder.messages.size(), 3u);
}
