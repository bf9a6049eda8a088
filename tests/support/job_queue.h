// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' job poster: a job's calls for the window's thread wait here until the test runs
// them on its own thread, so a test decides when batches arrive and can run a job to its end.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "shell/job.h"

class CJobQueue : public CJobPoster {
public:
    CJobQueue() : previous(SetJobPoster(this)) {}
    ~CJobQueue() override { SetJobPoster(previous); }
    CJobQueue(const CJobQueue&) = delete;
    CJobQueue& operator=(const CJobQueue&) = delete;

    void Post(std::function<void()> call) override {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
        posted.notify_all();
    }

    // Runs the calls posted so far, in order; how many ran.
    std::size_t RunPending() {
        std::deque<std::function<void()>> taken;
        {
            std::lock_guard lock(mutex);
            taken.swap(calls);
        }
        for (auto& call : taken) {
            call();
        }
        return taken.size();
    }

    // Runs calls as they come until `finished` holds after one of them; false when nothing
    // came for a minute (a job that never ends).
    bool RunUntil(const std::function<bool()>& finished) {
        while (!finished()) {
            {
                std::unique_lock lock(mutex);
                if (!posted.wait_for(lock, std::chrono::minutes(1),
                                     [this] { return !calls.empty(); })) {
                    return false;
                }
            }
            RunPending();
        }
        return true;
    }

    // Runs `job` to its end, its `done` included.
    bool Finish(const CJob& job) {
        return RunUntil([&job] { return !job.IsRunning(); });
    }

private:
    CJobPoster* previous;
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> calls;
};
