// SPDX-License-Identifier: GPL-3.0-or-later
// A job clock that stops a job's thread at a chosen point until the test lets it go, so that
// a test acts on the document while a job is surely under way.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "shell/job.h"

// A job clock that holds the job's thread at its `holdAt`-th reading (the first is taken on
// the window's thread when the job starts) until the test lets it go; each reading is 60 ms
// after the one before, so that every disk is a batch of its own.
class CHoldingClock {
public:
    explicit CHoldingClock(int holdAt) : holdAt(holdAt) {}

    JobClock Clock() {
        return [this] {
            std::unique_lock lock(mutex);
            if (++readings == holdAt) {
                held = true;
                changed.notify_all();
                changed.wait(lock, [this] { return released; });
            }
            return std::chrono::steady_clock::time_point(std::chrono::milliseconds(60 * readings));
        };
    }
    void WaitUntilHeld() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return held; });
    }
    void Release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    int holdAt;
    int readings = 0;
    bool held = false;
    bool released = false;
};
