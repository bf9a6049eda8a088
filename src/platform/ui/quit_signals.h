// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP as a request to quit, delivered on the event loop: a logout or
// `kill` then ends the program the way its Exit command does, keeping its settings.
#pragma once

#include <QObject>
#include <csignal>
#include <memory>

class QSocketNotifier;

class CQuitSignals : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; the ones before are put back on destruction. One at a time.
    explicit CQuitSignals(QObject* parent = nullptr);
    ~CQuitSignals() override;

signals:
    void QuitRequested();

private:
    void OnSignalArrived();

    int fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction previous[3] = {};
    bool installed = false;
};
