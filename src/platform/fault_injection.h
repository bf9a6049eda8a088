// SPDX-License-Identifier: GPL-3.0-or-later
// A test hook in the file layer: makes the Nth write, flush, rename or close from now on fail
// with a chosen error, so tests can show that no failure loses or half-writes a file; and
// the Nth folder open, entry look-up or folder read, so tests can show a scan that met one
// is never taken for a whole disk.
#pragma once

enum class FaultPoint { write, flush, rename, close, openFolder, statEntry, readFolder, count };

// The `nth` call (1 = the next one) at `point` fails with `error` (an errno value).
void InjectFault(FaultPoint point, int nth, int error);
void ClearFaults();
// Called by the file layer before each such call: true, with the error, when it must fail.
bool TakeFault(FaultPoint point, int& error);
// The same for a call that reports failure through errno: true, with errno set, when it must
// fail.
bool FailsByFault(FaultPoint point);
