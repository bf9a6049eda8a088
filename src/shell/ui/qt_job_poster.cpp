// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/qt_job_poster.h"

#include <QCoreApplication>
#include <QMetaObject>

CQtJobPoster::CQtJobPoster() : previous(SetJobPoster(this)) {}

CQtJobPoster::~CQtJobPoster() {
    SetJobPoster(previous);
}

void CQtJobPoster::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}
