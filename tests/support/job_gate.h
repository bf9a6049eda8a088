// SPDX-License-Identifier: GPL-3.0-or-later
// A job clock for tests that holds the work the first time it looks at the clock on its own
// thread, as a slow read would, until the test lets it go: the test acts (stops the job,
// changes the collection) at a known point of the work, with the window's thread free. Every
// look is a report interval after the last, so each one is time to report.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "shell/job.h"

class CJobGate {
public:
    JobClock Clock() {
        return [this] {
            if (std::this_thread::get_id() != window && !held.exchange(true)) {
                std::unique_lock lock(mutex);
                arrived = true;
                changed.notify_all();
                changed.wait(lock, [this] { return released; });
            }
            return std::chrono::steady_clock::time_point(std::chrono::hours(++ticks));
        };
    }
    // False when the work never got there within a minute.
    bool WaitHeld() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::minutes(1), [this] { return arrived; });
    }
    void Release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
    ~CJobGate() { Release(); }

private:
    std::thread::id window = std::this_thread::get_id();
    std::atomic<bool> held{false};
    std::atomic<long> ticks{0};
    std::mutex mutex;
    std::condition_variable changed;
    bool arrived = false;
    bool released = false;
};
