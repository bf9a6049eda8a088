// SPDX-License-Identifier: GPL-3.0-or-later
// System calls made again when a signal interrupts them, so that no caller mistakes an
// interruption for a failure.
#pragma once

#include <cerrno>

// Calls `call` until it returns anything but a failure (a negative result) with EINTR.
template <typename Call>
auto RetryInterrupted(Call call) -> decltype(call()) {
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}
