// SPDX-License-Identifier: GPL-3.0-or-later
// Folder tests and creation, and copies of
// files and whole folder trees. None shows a message: each answers with a success flag and
// the caller chooses what to tell the user.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Appends "/" to a non-empty path that does not already end in one.
void AddTrailingBackslash(std::string& path);
// `name` inside the folder `folder`.
std::string ChildPath(const std::string& folder, const std::string& name);

// The entry exists, even as a symbolic link that leads nowhere.
bool FileExists(const std::string& path);
// The path leads to a folder, through symbolic links.
bool IsDirectory(const std::string& path);
// Creates one folder level; true as well when the folder is already there.
bool MakeDirectory(const std::string& path);
// Creates every missing level of a full or relative folder path.
bool MakePath(const std::string& path);

// Copy a folder tree into `target`. Symbolic links are copied as links and never followed,
// other special files are left out, and the copy stops at the first file that fails,
// including one that is already in the target, leaving what it has copied.
bool CopyTree(const std::string& source, const std::string& target);
// Copies only the files whose extension `mask` names (see CTreeFind); every folder is made.
bool CopyTreeMasked(const std::string& source, const std::string& target, const std::string& mask);
// Gives every copied file owner write permission, as copies from a read-only disc need.
bool CopyTreeClearReadOnly(const std::string& source, const std::string& target);

// How far a folder copy has come.
struct CTreeCopyProgress {
    std::uint64_t files = 0;    // files copied whole
    std::uint64_t bytes = 0;    // bytes written, the file being copied included
    std::uint64_t skipped = 0;  // files left alone because the target held them already
    std::string current;        // the source of the file being copied
};

struct CTreeCopyOptions {
    bool clearReadOnly = false;
    // A file already in the target is counted as skipped and left as it is, and the copy
    // goes on; off, the copy stops there as CopyTree does.
    bool skipExisting = false;
    // Told the progress at each file and each piece of one; false stops the copy, removing
    // the file it was writing.
    std::function<bool(const CTreeCopyProgress&)> onProgress = {};
};

struct CTreeCopyResult {
    CTreeCopyProgress done;
    bool cancelled = false;
    // The source entry the copy failed at (the folder itself when it could not be listed).
    std::string failedPath;
    // The file the failing call was about, source or target, and the errno it gave.
    std::string errorPath;
    int error = 0;
};

// CopyTree with a progress report and a way to stop: long copies from slow drives keep the
// window alive through `onProgress`. False when it failed or was stopped.
bool CopyTreeWithProgress(const std::string& source, const std::string& target,
                          const CTreeCopyOptions& options, CTreeCopyResult& result);

// Copies the contents, permission bits and modification time of one file, through a symbolic
// link. With `failIfExists` off an existing target is replaced, but only by a complete copy.
bool CopyFilePlain(const std::string& source, const std::string& target, bool failIfExists);
// As CopyFilePlain, giving the copy owner write permission; the source keeps its mode.
bool CopyFileClearReadOnly(const std::string& source, const std::string& target, bool failIfExists);
