// SPDX-License-Identifier: GPL-3.0-or-later
// Ends the test process if the scope is still running after a generous while, so that an open
// which blocks (a FIFO with no writer) shows as a failed test rather than a run that never ends.
#pragma once

#include <unistd.h>

class CHangGuard {
public:
    explicit CHangGuard(unsigned seconds = 20) { ::alarm(seconds); }
    CHangGuard(const CHangGuard&) = delete;
    CHangGuard& operator=(const CHangGuard&) = delete;
    ~CHangGuard() { ::alarm(0); }
};
