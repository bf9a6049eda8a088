// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/job.h"

#include <exception>
#include <utility>

#include "platform/file_exception.h"

namespace {

// Read by the jobs' threads. A poster outlives the jobs that post to it.
std::atomic<CJobPoster*>& InstalledPoster() {
    static std::atomic<CJobPoster*> poster = nullptr;
    return poster;
}

std::chrono::steady_clock::time_point SteadyNow() {
    return std::chrono::steady_clock::now();
}

}  // namespace

// Between the window's thread and one run of the work. `abandoned` is set and read on the
// window's thread only; `stop` crosses threads.
struct CJobContext::CShared {
    std::atomic<bool> stop{false};
    bool abandoned = false;
};

CJobPoster* SetJobPoster(CJobPoster* poster) {
    return InstalledPoster().exchange(poster);
}

CJobPoster* GetJobPoster() {
    return InstalledPoster().load();
}

CJobContext::CJobContext(std::shared_ptr<CShared> jobShared, JobClock jobClock,
                         std::chrono::milliseconds reportInterval)
    : shared(std::move(jobShared)),
      clock(std::move(jobClock)),
      interval(reportInterval),
      lastReport(clock()) {}

bool CJobContext::IsStopRequested() const {
    return shared->stop.load(std::memory_order_relaxed);
}

void CJobContext::Post(std::function<void()> call) {
    CJobPoster* poster = GetJobPoster();
    if (poster == nullptr) {
        // No window's thread to run it: the owner of the process set none up.
        return;
    }
    poster->Post([shared = shared, call = std::move(call)] {
        if (!shared->abandoned) {
            call();
        }
    });
}

bool CJobContext::IsTimeToReport() {
    auto now = clock();
    if (now - lastReport < interval) {
        return false;
    }
    lastReport = now;
    return true;
}

CJob::CJob() : clock(SteadyNow) {}

CJob::~CJob() {
    Abandon();
}

void CJob::Start(Work work, Done done) {
    Abandon();
    auto shared = std::make_shared<CJobContext::CShared>();
    current = shared;
    running = true;
    CJobContext context(shared, clock, reportInterval);
    thread = std::thread([this, shared, context = std::move(context), work = std::move(work),
                          done = std::move(done)]() mutable {
        CProblems thrown;
        try {
            work(context);
        } catch (const CFileException& error) {
            thrown.Add(error);
        } catch (...) {
            // Out of memory or a fault of the program: the work is abandoned where it stood.
            thrown.Add("Internal application error.");
        }
        // Last of the work's calls, so it finds every batch already delivered.
        context.Post([this, shared, done = std::move(done), thrown = std::move(thrown)] {
            Finish(shared, done, thrown);
        });
    });
}

void CJob::Finish(const std::shared_ptr<CJobContext::CShared>& shared, const Done& done,
                  const CProblems& thrown) {
    if (shared != current) {
        return;
    }
    // The work has returned: its thread is ending, if it has not ended already.
    if (thread.joinable()) {
        thread.join();
    }
    running = false;
    current.reset();
    if (done) {
        done(thrown);
    }
}

void CJob::Stop() {
    if (current) {
        current->stop = true;
    }
}

bool CJob::IsStopRequested() const {
    return current && current->stop.load(std::memory_order_relaxed);
}

void CJob::Abandon() {
    if (current) {
        current->stop = true;
        current->abandoned = true;
        current.reset();
    }
    if (thread.joinable()) {
        thread.join();
    }
    running = false;
}
