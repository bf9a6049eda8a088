// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/quit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The handler may only write to a descriptor; the event loop reads the other end.
volatile std::sig_atomic_t writeEnd = -1;

void OnQuitSignal(int /*signal*/) {
    int savedErrno = errno;
    char byte = 1;
    // A full socket already holds a request; nothing is lost by dropping this one.
    [[maybe_unused]] ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

CQuitSignals::CQuitSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        // Without it the signals keep their default action: the program still ends.
        fds[0] = fds[1] = -1;
        return;
    }
    writeEnd = fds[1];
    notifier = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &CQuitSignals::OnSignalArrived);
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(quitSignals); ++i) {
        ::sigaction(quitSignals[i], &action, &previous[i]);
    }
    installed = true;
}

CQuitSignals::~CQuitSignals() {
    if (installed) {
        for (std::size_t i = 0; i < std::size(quitSignals); ++i) {
            ::sigaction(quitSignals[i], &previous[i], nullptr);
        }
        writeEnd = -1;
    }
    notifier.reset();
    for (int fd : fds) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void CQuitSignals::OnSignalArrived() {
    char bytes[16];
    while (::read(fds[0], bytes, sizeof bytes) > 0) {
    }
    emit QuitRequested();
}
