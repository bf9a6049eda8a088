// SPDX-License-Identifier: GPL-3.0-or-later
// The scan's progress reports: how often they come, what they count, and a stop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk/disk_scanner.h"
#include "helpers/problems.h"
#include "store/coll_disk.h"
#include "support/temp_folder.h"

TEST(ScanProgress, CountsGrowToTheTotalsInAFewReportsAndAStopEndsTheScanSilently) {
    CTempFolder disk;
    constexpr int bigFolderFiles = 3000;
    for (int i = 0; i < bigFolderFiles; ++i) {
        disk.Write("Big/" + std::to_string(i), "");
    }
    disk.Write("A/B/deep.txt", "x");
    disk.Write("root.txt", "r");

    std::vector<CScanCounts> reports;
    ScanProgress record = [&reports](const CScanCounts& counts) {
        reports.push_back(counts);
        return true;
    };
    CProblems problems;
    CCollDisk scanned;
    ASSERT_TRUE(ScanDisk(scanned, disk.Path(), problems, record));
    scanned.ComputeTotals();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().folders, scanned.header.totalFolders);
    EXPECT_EQ(reports.back().files, scanned.header.totalFiles);
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GE(reports[i].files, reports[i - 1].files);
        EXPECT_GE(reports[i].folders, reports[i - 1].folders);
    }
    // Once per folder and now and then inside a long one, never once per entry.
    EXPECT_GE(reports.size(), 4u + 2u);
    EXPECT_LT(reports.size(), 20u);

    // Stopped at the first report: false, no message, and the rest is never read.
    int calls = 0;
    CCollDisk stopped;
    EXPECT_FALSE(ScanDisk(stopped, disk.Path(), problems, [&calls](const CScanCounts&) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
    stopped.ComputeTotals();
    EXPECT_LT(stopped.header.totalFiles, scanned.header.totalFiles);
    EXPECT_TRUE(problems.GetTexts().empty());
}
