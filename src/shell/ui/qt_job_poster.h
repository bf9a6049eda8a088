// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's job poster: a job's calls for the window's thread are queued into
// Qt's event loop, as events from any thread are.
#pragma once

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
    CJobPoster* previous;
};
