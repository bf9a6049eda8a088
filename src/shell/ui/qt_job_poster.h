// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's job poster: a job's calls for the window's thread wait in a queue of
// its own, which one event posted into Qt's event loop empties. The queue's lock is what orders
// a job's writes before the window's reads, visibly to ThreadSanitizer, which cannot see the
// locks inside Qt's libraries.
#pragma once

#include <QObject>
#include <deque>
#include <mutex>

#include "shell/job.h"

class CQtJobPoster : public CJobPoster {
public:
    // Installs itself for the time it lives.
    CQtJobPoster();
    ~CQtJobPoster() override;
    CQtJobPoster(const CQtJobPoster&) = delete;
    CQtJobPoster& operator=(const CQtJobPoster&) = delete;

    void Post(std::function<void()> call) override;

private:
    // Lives on the window's thread, where the event that empties the queue is delivered.
    class CDrainer : public QObject {
    public:
        explicit CDrainer(CQtJobPoster& poster) : poster(poster) {}
        bool event(QEvent* event) override;

    private:
        CQtJobPoster& poster;
    };

    void RunPosted();

    CJobPoster* previous;
    CDrainer drainer{*this};
    std::mutex mutex;
    std::deque<std::function<void()>> calls;
    // A call into the event loop is on its way: later posts join the queue it will empty.
    bool drainQueued = false;
};
