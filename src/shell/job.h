// SPDX-License-Identifier: GPL-3.0-or-later
// Long work off the window's thread. A job runs one function on a thread of its own over what
// it was handed when it started (its snapshot: it never reads the document), passes what it
// has to the window's thread through the installed poster, in batches, and looks at its stop
// flag between items. The program's poster queues calls into the event loop; a test's poster
// keeps them until the test runs them, so a job runs to completion without a window.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "helpers/problems.h"

// Where calls for the window's thread go.
class CJobPoster {
public:
    virtual ~CJobPoster() = default;
    // May be called from any thread; runs `call` later on the window's thread, the calls of
    // one thread in the order they were posted.
    virtual void Post(std::function<void()> call) = 0;
};

// Installed once by whoever owns the window's thread; returns the previous one.
CJobPoster* SetJobPoster(CJobPoster* poster);
CJobPoster* GetJobPoster();

using JobClock = std::function<std::chrono::steady_clock::time_point()>;

// What a job's work is handed, on the job's thread.
class CJobContext {
public:
    // Stop was asked for: the work returns as soon as it can.
    bool IsStopRequested() const;
    // Runs `call` on the window's thread, unless the job is abandoned before it runs.
    void Post(std::function<void()> call);
    // True once per report interval, for progress passed on in batches rather than per item.
    bool IsTimeToReport();

private:
    friend class CJob;
    struct CShared;
    CJobContext(std::shared_ptr<CShared> shared, JobClock clock,
                std::chrono::milliseconds interval);

    std::shared_ptr<CShared> shared;
    JobClock clock;
    std::chrono::milliseconds interval;
    std::chrono::steady_clock::time_point lastReport;
};

// One run of work off the window's thread. Owned and driven on the window's thread.
class CJob {
public:
    using Work = std::function<void(CJobContext& context)>;
    // What the work threw, as values: a file error in its own words, anything else as
    // "Internal application error.". Empty when it returned.
    using Done = std::function<void(const CProblems& thrown)>;

    CJob();
    ~CJob();
    CJob(const CJob&) = delete;
    CJob& operator=(const CJob&) = delete;

    // Starts `work` on a new thread; `done` runs on the window's thread after every call the
    // work posted, unless the job is abandoned first. A job runs one work at a time: call it
    // only when the job is not running.
    void Start(Work work, Done done);
    // Asks the work to stop; returns at once, and `done` still follows.
    void Stop();
    // Stops the work, waits for its thread and drops every call it posted that has not run,
    // `done` included: for what is closed under the job.
    void Abandon();
    // From Start until `done` has run (or the job was abandoned).
    bool IsRunning() const { return running; }
    bool IsStopRequested() const;

    // How often IsTimeToReport says yes, and the clock it reads: tests give their own.
    void SetReportInterval(std::chrono::milliseconds interval) { reportInterval = interval; }
    void SetClock(JobClock jobClock) { clock = std::move(jobClock); }

private:
    void Finish(const std::shared_ptr<CJobContext::CShared>& shared, const Done& done,
                const CProblems& thrown);

    std::shared_ptr<CJobContext::CShared> current;
    std::thread thread;
    bool running = false;
    std::chrono::milliseconds reportInterval{50};
    JobClock clock;
};
