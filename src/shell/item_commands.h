// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and copying catalogued items straight from the disk in the drive: the right disk is
// asked for by its title, names read from an index file are checked before they reach the
// drive, and a copy says what went wrong or what was there already. Every question and
// dialog goes through CPlatformUi, long copies report through a CCopyProgressSink.
#pragma once

#include <string>

#include "disk/fs_utils.h"
#include "disk/item_totals.h"

class CCollDisk;
class CCollDoc;
class CCollSettings;
struct CCataloguePath;
struct CCollItem;

// Shows a copy's progress and lets the user stop it; the desktop program gives a window.
class CCopyProgressSink {
public:
    virtual ~CCopyProgressSink() = default;
    // Before the first byte: what is copied, and what the catalogue holds below it when
    // `known` (nothing to compare with otherwise).
    virtual void Begin(const std::string& source, const CCatalogueTotals& totals, bool known) = 0;
    // False stops the copy.
    virtual bool Update(const CTreeCopyProgress& progress) = 0;
    virtual void End() = 0;
};

class CItemCommands {
public:
    CItemCommands(CCollDoc& doc, const CCollSettings& settings);

    // True once the disk the catalogue path names is in the drive, asking for it until it is
    // there or the user cancels. False, after saying why, for a path with an empty title.
    bool CheckDiskInserted(const CCataloguePath& path);
    // The item's place on the drive; false (and "Invalid path: %s") for names that cannot
    // lead there.
    bool ResolvePath(const CCollItem& item, std::string& drivePath);
    // Hands the item on the drive to the desktop's default application.
    void OpenItem(const CCollItem& item);
    // Copies the item into a folder the user chooses; `progress` may be null.
    void CopyItem(const CCollItem& item, CCopyProgressSink* progress);

private:
    CCollDisk* FindDisk(const std::string& title) const;
    // The path checks that need no drive, made before the user is asked for a disk.
    static bool CheckNames(const CCollItem& item);
    void CopyFile(const std::string& source, const std::string& target,
                  CCopyProgressSink* progress);
    void CopyFolder(const CCollItem& item, const std::string& source, const std::string& target,
                    CCopyProgressSink* progress);

    CCollDoc& doc;
    const CCollSettings& settings;
};
