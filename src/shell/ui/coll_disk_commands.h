// The commands that read the disk in the drive: New disk index.
#pragma once

class CCollSession;
class QWidget;

// Scans the disk in the drive into a new index file.
void RunNewDiskIndex(CCollSession& session, QWidget* parent);
