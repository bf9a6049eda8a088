// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/file_exception.h"
#include "support/job_queue.h"

namespace {

// A clock the test moves by hand.
struct CFakeClock {
    std::atomic<std::int64_t> milliseconds{0};
    JobClock Clock() {
        return [this] {
            return std::chrono::steady_clock::time_point(
                std::chrono::milliseconds(milliseconds.load()));
        };
    }
};

}  // namespace

TEST(Job, BatchesArriveInOrderBeforeDoneAndReportFollowTheClock) {
    CJobQueue queue;
    CFakeClock fake;
    CJob job;
    job.SetClock(fake.Clock());
    job.SetReportInterval(std::chrono::milliseconds(50));
    std::vector<int> received;
    std::vector<bool> reportTimes;
    bool done = false;
    job.Start(
        [&](CJobContext& context) {
            for (int step = 0; step < 4; ++step) {
                // Only moves of the clock past the interval make a report due.
                fake.milliseconds += step == 2 ? 10 : 60;
                reportTimes.push_back(context.IsTimeToReport());
                context.Post([&received, step] { received.push_back(step); });
            }
        },
        [&](const CProblems& thrown) {
            EXPECT_TRUE(thrown.IsEmpty());
            EXPECT_EQ(received.size(), 4U);
            done = true;
        });
    EXPECT_TRUE(job.IsRunning());
    ASSERT_TRUE(queue.Finish(job));
    EXPECT_TRUE(done);
    EXPECT_FALSE(job.IsRunning());
    EXPECT_EQ(received, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(reportTimes, (std::vector<bool>{true, true, false, true}));
}

TEST(Job, WhatTheWorkThrowsComesBackAsProblems) {
    CJobQueue queue;
    CJob job;
    std::vector<std::string> texts;
    job.Start([](CJobContext&) { CFileException::ThrowErrno(ENOENT, "/media/cd/a.cdi"); },
              [&](const CProblems& thrown) { texts = thrown.GetTexts(); });
    ASSERT_TRUE(queue.Finish(job));
    ASSERT_EQ(texts.size(), 1U);
    EXPECT_NE(texts[0].find("/media/cd/a.cdi"), std::string::npos);

    job.Start([](CJobContext&) { throw std::length_error("too many"); },
              [&](const CProblems& thrown) { texts = thrown.GetTexts(); });
    ASSERT_TRUE(queue.Finish(job));
    EXPECT_EQ(texts, std::vector<std::string>{"Internal application error."});
}

TEST(Job, StopReachesTheWorkAndAbandonDropsWhatItPosted) {
    CJobQueue queue;
    CJob job;
    std::atomic<bool> started{false};
    bool stoppedSeen = false;
    job.Start(
        [&](CJobContext& context) {
            started = true;
            while (!context.IsStopRequested()) {
                std::this_thread::yield();
            }
        },
        [&](const CProblems&) { stoppedSeen = true; });
    while (!started) {
        std::this_thread::yield();
    }
    job.Stop();
    ASSERT_TRUE(queue.Finish(job));
    EXPECT_TRUE(stoppedSeen);

    // Abandoned: it waits for the work, and neither its batches nor its end arrive later.
    bool late = false;
    job.Start(
        [&](CJobContext& context) {
            context.Post([&late] { late = true; });
            while (!context.IsStopRequested()) {
                std::this_thread::yield();
            }
        },
        [&](const CProblems&) { late = true; });
    job.Abandon();
    EXPECT_FALSE(job.IsRunning());
    queue.RunPending();
    EXPECT_FALSE(late);
}
