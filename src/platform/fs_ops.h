// SPDX-License-Identifier: GPL-3.0-or-later
// The system calls behind the file utilities: entry lookups, folder creation and the copy of
// one file or symbolic link. Each answers with a success flag and leaves errno set when false.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum class EntryKind { file, folder, link, other };

// A file's identity on its filesystem, to recognise one folder under two paths.
struct CFileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const CFileIdentity&) const = default;
};

struct CCopyOptions {
    bool failIfExists = true;
    // Off, a source that is a symbolic link fails (ELOOP) instead of being read through.
    bool followLinks = true;
    // Gives the copy owner write permission; the source keeps its mode.
    bool addOwnerWrite = false;
    // Told the bytes of each piece once it is written; false stops the copy (ECANCELED) and
    // removes the unfinished copy.
    std::function<bool(std::uint64_t)> onBytes = {};
};

// The last name of a path, after its last "/"; the whole path when it has none. A backslash
// is part of a name here.
std::string FileNameOf(const std::string& path);

// False for an empty path, one holding a NUL byte, or one the system could not take whole.
bool IsUsablePath(const std::string& path);

// The kind of the entry itself when `followLinks` is off, of what it leads to otherwise.
bool GetEntryKind(const std::string& path, bool followLinks, EntryKind& kind);
bool GetFileIdentity(const std::string& path, CFileIdentity& identity);
bool CreateFolder(const std::string& path);

// Which file a failed copy was working on when it failed, so that the error can name it.
enum class CopySide { source, target };

// Copies the bytes, permission bits and modification time of a regular file. A new target
// that cannot be completed is removed; an existing one is replaced only by a complete copy.
// On failure `failedSide`, when given, says which file the failing call was about.
bool CopyRegularFile(const std::string& source, const std::string& target,
                     const CCopyOptions& options, CopySide* failedSide = nullptr);
// The text of the symbolic link `path`, as stored (a relative text is relative to the link's
// folder).
bool ReadLinkText(const std::string& path, std::string& text);
// The path that `path` finally names once every symbolic link on its last component is
// followed, a relative link text taken from the link's folder. A path that does not exist, or
// a link whose target does not, names itself or that target. Fails with ELOOP after too many
// links.
bool ResolveLinks(const std::string& path, std::string& target);
// Creates `target` as a symbolic link with the same text as the link `source`; fails when
// `target` exists.
bool CopySymbolicLink(const std::string& source, const std::string& target);
