// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fault_injection.h"

#include <array>
#include <cerrno>
#include <cstddef>

namespace {

struct CFault {
    int remaining = 0;  // calls until the failing one; 0 when none is armed
    int error = 0;
};

std::array<CFault, static_cast<std::size_t>(FaultPoint::count)> faults;
bool armed = false;

}  // namespace

void InjectFault(FaultPoint point, int nth, int error) {
    faults[static_cast<std::size_t>(point)] = CFault{nth, error};
    armed = true;
}

void ClearFaults() {
    faults = {};
    armed = false;
}

bool TakeFault(FaultPoint point, int& error) {
    if (!armed) {
        return false;
    }
    CFault& fault = faults[static_cast<std::size_t>(point)];
    if (fault.remaining == 0 || --fault.remaining > 0) {
        return false;
    }
    error = fault.error;
    return true;
}

bool FailsByFault(FaultPoint point) {
    int error = 0;
    if (!TakeFault(point, error)) {
        return false;
    }
    errno = error;
    return true;
}
