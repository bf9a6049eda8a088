// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and copying catalogued items straight from the disk in the drive: the right disk is
// asked for by its title, names read from an index file are checked before they reach the
// drive, and a copy says what went wrong or what was there already. What reads the drive
// (the disk's label and serial, the item's place, the copy) runs off the window's thread;
// every question, dialog and message stays on it, through CPlatformUi and ShowMessage.
#pragma once

#include <functional>
#include <string>

#include "disk/fs_utils.h"
#include "disk/item_totals.h"
#include "shell/job.h"
#include "store/coll_item.h"

class CCollDisk;
class CCollDoc;
class CCollSettings;

// Shows a copy's progress; the desktop program gives a window, whose Cancel calls
// CItemCommands::Stop. Called on the window's thread.
class CCopyProgressSink {
public:
    virtual ~CCopyProgressSink() = default;
    // Before the first byte: what is copied, and what the catalogue holds below it when
    // `known` (nothing to compare with otherwise).
    virtual void Begin(const std::string& source, const CCatalogueTotals& totals, bool known) = 0;
    // How far the copy has come, a few times a second.
    virtual void Update(const CTreeCopyProgress& progress) = 0;
    virtual void End() = 0;
};

// Runs one open or copy at a time; each returns at once and goes on as the drive answers.
class CItemCommands {
public:
    CItemCommands(CCollDoc& doc, const CCollSettings& settings);
    CItemCommands(const CItemCommands&) = delete;
    CItemCommands& operator=(const CItemCommands&) = delete;

    // Hands the item on the drive to the desktop's default application.
    void OpenItem(const CCollItem& item);
    // Copies the item into a folder the user chooses; `progress` may be null, and must
    // outlive the command otherwise.
    void CopyItem(const CCollItem& item, CCopyProgressSink* progress);
    // Cancel: the copy stops at its next piece and removes the file it was writing.
    void Stop();
    // For the program's exit: stops and waits; nothing more is shown or asked.
    void Abandon();
    // From OpenItem or CopyItem until the command has ended.
    bool IsRunning() const { return running; }
    // While the copy itself runs, after the questions.
    bool IsCopying() const { return copyRunning; }
    // Called when a copy starts and when a command ends, on the window's thread.
    std::function<void()> onChanged;
    // For tests: the clock and the interval of the copy's reports.
    CJob& GetJob() { return job; }

private:
    struct CChecked;
    struct CCopied;
    bool Begin(const CCollItem& wanted, bool copy, CCopyProgressSink* sink);
    void CheckDrive();
    void OnChecked(const CChecked& checked, const CProblems& thrown);
    void ChooseTarget(const std::string& source);
    void StartCopy(const std::string& source, const std::string& target);
    void OnCopied(const CCopied& copied, const CProblems& thrown);
    void End();
    CCollDisk* FindDisk(const std::string& title) const;

    CCollDoc& doc;
    const CCollSettings& settings;
    CJob job;
    bool running = false;
    bool copyRunning = false;
    // The command under way: what it acts on, copied when it started.
    bool copying = false;
    CCollItem item;
    std::string drive;
    CCopyProgressSink* progress = nullptr;
    bool waitCursor = false;
};
