// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/search_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "support/job_queue.h"
#include "support/temp_folder.h"

namespace {

// Three disks of 10,000 files each: more than one look at the stop flag per disk.
std::vector<CSearchDisk> WriteDisks(const CTempFolder& folder) {
    std::vector<CSearchDisk> disks;
    for (const std::string title : {"A", "B", "C"}) {
        CCollDisk disk;
        for (int i = 0; i < 10000; ++i) {
            auto file = std::make_unique<CCollDiskFile>();
            file->name = "file" + std::to_string(i);
            disk.content.files.Add(std::move(file));
        }
        std::string path = folder.Path(title + ".cdi");
        EXPECT_TRUE(disk.SaveIndexFile(path));
        disks.push_back({title, path});
    }
    return disks;
}

}  // namespace

TEST(SearchJob, ResultsComeInBatchesByTheClockAndAReplacedSearchIsNeverHeardFrom) {
    CJobQueue queue;
    CTempFolder folder;
    std::vector<CSearchDisk> disks = WriteDisks(folder);
    std::atomic<std::int64_t> milliseconds{0};
    std::atomic<std::int64_t> step{0};
    CSearchJob search;
    search.SetClock([&] {
        return std::chrono::steady_clock::time_point(
            std::chrono::milliseconds(milliseconds += step.load()));
    });
    // A clock that stands still: the first rows as soon as there are some, the rest at the end.
    std::vector<std::size_t> batches;
    int ends = 0;
    auto start = [&](std::vector<std::size_t>& into, int& ended) {
        search.Start(
            CCollSearchCriteria(), disks,
            [&into](CSearchResultList&& batch) { into.push_back(batch.GetCount()); },
            [&ended](const CProblems& problems) {
                EXPECT_TRUE(problems.IsEmpty());
                ++ended;
            });
    };
    start(batches, ends);
    ASSERT_TRUE(queue.RunUntil([&] { return ends == 1; }));
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0], CCollSearch::stopCheckInterval);
    EXPECT_EQ(batches[0] + batches[1], 30000u);

    // A clock past the interval at every look: a batch each time.
    step = 60;
    batches.clear();
    start(batches, ends);
    ASSERT_TRUE(queue.RunUntil([&] { return ends == 2; }));
    EXPECT_GT(batches.size(), 5u);

    // Replaced before any of it was delivered: only the second search arrives.
    std::vector<std::size_t> first;
    std::vector<std::size_t> second;
    int firstEnds = 0;
    int secondEnds = 0;
    start(first, firstEnds);
    start(second, secondEnds);
    ASSERT_TRUE(queue.RunUntil([&] { return secondEnds == 1; }));
    queue.RunPending();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(firstEnds, 0);
    std::size_t total = 0;
    for (std::size_t count : second) {
        total += count;
    }
    EXPECT_EQ(total, 30000u);
    EXPECT_FALSE(search.IsBusy());
}
