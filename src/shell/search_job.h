// SPDX-License-Identifier: GPL-3.0-or-later
// A search run off the window's thread over the disks chosen when it starts, its results
// handed to the window's thread in batches. A new search may start while the last one still
// unwinds from its Stop: that one ends on its own, and nothing of it arrives any more.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "helpers/problems.h"
#include "search/coll_search.h"
#include "search/search_result_list.h"
#include "shell/job.h"

class CSearchJob {
public:
    // Results found since the last batch, to be taken over (CSearchResultList::Append).
    using Batch = std::function<void(CSearchResultList&& results)>;
    // Once per search that is not replaced by another: after its last batch, with what
    // went wrong, or at once, with nothing, when the search is abandoned.
    using End = std::function<void(const CProblems& problems)>;

    CSearchJob() = default;
    ~CSearchJob();
    CSearchJob(const CSearchJob&) = delete;
    CSearchJob& operator=(const CSearchJob&) = delete;

    // The first batch goes as soon as there is one, the others once per report interval.
    void Start(const CCollSearchCriteria& criteria, std::vector<CSearchDisk> disks, Batch onBatch,
               End onEnd);
    // The search ends at its next look at the stop flag; its last batch and end still come.
    void Stop();
    // Every search stopped and waited for; nothing more of them arrives. For what is closed
    // under them.
    void Abandon();
    bool IsBusy() const { return current && current->IsRunning(); }

    // For tests: how often batches go, and the clock that says when.
    void SetReportInterval(std::chrono::milliseconds interval) { reportInterval = interval; }
    void SetClock(JobClock clock) { jobClock = std::move(clock); }

private:
    void DropEnded();

    std::unique_ptr<CJob> current;
    Batch currentBatch;
    End currentEnd;
    // Replaced searches still unwinding; each keeps its thread until its end is delivered.
    std::vector<std::unique_ptr<CJob>> replaced;
    std::chrono::milliseconds reportInterval{50};
    JobClock jobClock;
};
