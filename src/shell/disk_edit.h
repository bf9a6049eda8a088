// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the disk properties dialog: what it shows, which fields may be edited, and what
// OK and Edit/Apply check, store and write. The dialog only moves texts between its controls
// and these calls, and takes the state they leave.
//
// In the view mode the disk belongs to the collection: Edit makes the burn date and the
// description writable, Apply checks them, stores them and rewrites the header of the disk's
// index file, and OK while editing applies the same way before closing, so an edit is never
// dropped without the user seeing why. In the new-disk mode the form follows a scan: every
// field is writable, OK checks and stores the title too, and nothing is written here (the
// disk has no index file yet).
#pragma once

#include <string>

#include "helpers/coll_types.h"

class CCollDisk;
class CDateFormat;

class CCollDiskEdit {
public:
    enum class Mode { view, newDisk };

    // What may be typed into the title and description fields; the checks on OK and Apply
    // still apply to pasted text. The description is counted in bytes, as the header keeps it.
    static constexpr int titleLimit = 63;
    static constexpr int descriptionLimit = 255;

    CCollDiskEdit(CCollDisk& disk, Mode mode, const CDateFormat& dateFormat);

    // Whether OK would take `title` as a new disk's title.
    static bool IsValidTitle(const std::string& title);

    Mode GetMode() const { return mode; }
    bool IsEditing() const { return editing; }
    // The title names the index file, so only a disk that has none yet may be retitled.
    bool IsTitleWritable() const { return mode == Mode::newDisk; }
    bool AreFieldsWritable() const { return editing; }
    // A new disk has no index file for Apply to write.
    bool IsEditButtonEnabled() const { return mode == Mode::view; }
    const char* GetEditButtonText() const;

    // The disk's values as the fields show them.
    std::string GetTitle() const;
    std::string GetDateText() const;
    std::string GetDescription() const;
    std::string GetLabel() const;
    // Signed, as it always was: serials of 2^31 and above appear negative.
    std::string GetSerialText() const;
    std::string GetTotalFilesText() const;
    std::string GetTotalFoldersText() const;
    // Unsigned, grouped: a byte total is never negative.
    std::string GetTotalBytesText() const;

    // The Edit/Apply button: Edit makes the date and description writable, Apply stores
    // them and writes the header (see Apply). Does nothing in the new-disk mode.
    void PressEditButton(const std::string& dateText, const std::string& description);
    // Checks the burn date, then the description, reporting the first fault; stores both and
    // rewrites the index file's header. Editing ends only when the write succeeded; after a
    // failed write the values stay in memory and the fields writable. False on any fault.
    bool Apply(const std::string& dateText, const std::string& description);
    // True when the dialog may close. Reading only: nothing to store. Editing in the view
    // mode: Apply. New disk: the title (empty, unusable as a file name), the description and
    // the date are checked in that order and stored, nothing written.
    bool Ok(const std::string& title, const std::string& dateText, const std::string& description);

private:
    // Each reports its fault and answers false.
    bool ParseDate(const std::string& dateText, Time32& time) const;
    bool CheckDescription(const std::string& description) const;
    bool CheckTitle(const std::string& title) const;

    CCollDisk& disk;
    Mode mode;
    const CDateFormat& dateFormat;
    bool editing;
};
