// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that read the disk in the drive: New disk index.
#pragma once

class CCollSession;
class QWidget;

// Scans the disk in the drive into a new index file, behind a wait box that counts what has
// been read and can stop the scan.
void RunNewDiskIndex(CCollSession& session, QWidget* parent);
