// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/qt_job_poster.h"

#include <QCoreApplication>
#include <QMetaObject>

CQtJobPoster::CQtJobPoster() : previous(SetJobPoster(this)) {}

CQtJobPoster::~CQtJobPoster() {
    SetJobPoster(previous);
}

void CQtJobPoster::Post(std::function<void()> call) {
    std::lock_guard lock(mutex);
    calls.push_back(std::move(call));
    if (!drainQueued) {
        drainQueued = true;
        // The event the call travels in owns it and deletes it once run.
        // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this] { RunPosted(); }, Qt::QueuedConnection);
    }
}

void CQtJobPoster::RunPosted() {
    std::deque<std::function<void()>> taken;
    {
        std::lock_guard lock(mutex);
        taken.swap(calls);
        drainQueued = false;
    }
    for (auto& call : taken) {
        call();
    }
}
