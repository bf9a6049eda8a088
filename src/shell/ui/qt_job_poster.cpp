// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/qt_job_poster.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// The one kind of event the drainer takes.
const QEvent::Type drainEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

bool CQtJobPoster::CDrainer::event(QEvent* event) {
    if (event->type() != drainEvent) {
        return QObject::event(event);
    }
    poster.RunPosted();
    return true;
}

CQtJobPoster::CQtJobPoster() : previous(SetJobPoster(this)) {}

CQtJobPoster::~CQtJobPoster() {
    SetJobPoster(previous);
}

void CQtJobPoster::Post(std::function<void()> call) {
    std::lock_guard lock(mutex);
    calls.push_back(std::move(call));
    if (!drainQueued) {
        drainQueued = true;
        // Qt's queue owns the event and deletes it once delivered.
        QCoreApplication::postEvent(&drainer, new QEvent(drainEvent));
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
