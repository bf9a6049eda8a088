// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/fs_utils.h"

#include <cerrno>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "disk/tree_find.h"
#include "platform/fs_ops.h"
#include "platform/path_status.h"

namespace {

struct CListedEntry {
    std::string name;
    std::string path;
    bool isFolder;
};

// The whole folder is listed before anything is done in it: only one folder is open at a
// time however deep the tree, and entries the copy itself adds are never listed.
bool ListFolder(const std::string& folder, const std::string& mask,
                std::vector<CListedEntry>& entries) {
    CTreeFind find(folder, mask, false, true);
    while (find.Next()) {
        entries.push_back({find.GetFileName(), find.GetFilePath(), find.IsDirectory()});
    }
    return !find.Failed();
}

// A target inside the source would otherwise be copied into itself without end.
bool IsTargetRoot(const std::string& folder, const CFileIdentity& targetRoot) {
    CFileIdentity identity;
    return GetFileIdentity(folder, identity) && identity == targetRoot;
}

// One folder being worked through: what it holds, and the next entry to handle. The walks
// keep a list of these instead of nesting a call per level.
struct CWalkLevel {
    std::vector<CListedEntry> entries;
    std::size_t next = 0;
    std::string target;
};

bool ReplicateFolders(const std::string& source, const std::string& target,
                      const CFileIdentity& targetRoot) {
    std::vector<CWalkLevel> levels(1);
    levels.back().target = target;
    // No extension matches the empty mask, so only the folders are listed.
    bool listed = ListFolder(source, std::string(), levels.back().entries);
    while (!levels.empty()) {
        CWalkLevel& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        const CListedEntry& entry = level.entries[level.next++];
        if (!entry.isFolder || IsTargetRoot(entry.path, targetRoot)) {
            continue;
        }
        std::string childTarget = ChildPath(level.target, entry.name);
        if (MakeDirectory(childTarget)) {
            CWalkLevel child;
            child.target = std::move(childTarget);
            // A sub-folder that cannot be listed is left empty; the copy reports it later.
            ListFolder(entry.path, std::string(), child.entries);
            levels.push_back(std::move(child));
        }
    }
    return listed;
}

struct CTreeCopy {
    std::string mask;
    bool clearReadOnly = false;
    CFileIdentity targetRoot{};
    bool skipExisting = false;
    // Null for the copies that report nothing.
    const std::function<bool(const CTreeCopyProgress&)>* onProgress = nullptr;
    CTreeCopyResult* result = nullptr;
};

// Keeps where the copy stopped and, from errno, why; always false.
bool Fail(const CTreeCopy& how, const std::string& entry, const std::string& errorPath) {
    int error = errno;
    if (how.result != nullptr) {
        how.result->failedPath = entry;
        how.result->errorPath = errorPath;
        how.result->error = error;
    }
    errno = error;
    return false;
}

// False once the caller has asked to stop.
bool Report(const CTreeCopy& how) {
    if (how.onProgress == nullptr || how.result == nullptr || !*how.onProgress ||
        (*how.onProgress)(how.result->done)) {
        return true;
    }
    how.result->cancelled = true;
    return false;
}

bool CopyEntry(const std::string& source, const std::string& target, const CTreeCopy& how,
               CopySide& side) {
    side = CopySide::source;
    EntryKind kind = EntryKind::other;
    if (!GetEntryKind(source, false, kind)) {
        return false;
    }
    switch (kind) {
        case EntryKind::link:
            // A link may lead out of the tree: the copy leads to the same place, nothing is read.
            side = CopySide::target;
            return CopySymbolicLink(source, target);
        case EntryKind::file: {
            CCopyOptions options{
                .failIfExists = true, .followLinks = false, .addOwnerWrite = how.clearReadOnly};
            if (how.result != nullptr) {
                how.result->done.current = source;
                options.onBytes = [&how](std::uint64_t bytes) {
                    how.result->done.bytes += bytes;
                    return Report(how);
                };
            }
            return CopyRegularFile(source, target, options, &side);
        }
        case EntryKind::folder:
            // Listed as a file, so it was replaced since; copying it now would be a guess.
            errno = EISDIR;
            return false;
        case EntryKind::other:
            // FIFOs, sockets and devices have no contents a copy could carry.
            return true;
    }
    return false;
}

bool CopyFolder(const std::string& source, const std::string& target, const CTreeCopy& how) {
    std::vector<CWalkLevel> levels;
    // Replication made every folder it could; one still missing now stops the copy there,
    // and making it once more tells why.
    auto enter = [&](const std::string& from, std::string to) {
        CWalkLevel level;
        if (!MakeDirectory(to)) {
            return Fail(how, from, to);
        }
        if (!ListFolder(from, how.mask, level.entries)) {
            return Fail(how, from, from);
        }
        level.target = std::move(to);
        levels.push_back(std::move(level));
        return true;
    };
    if (!enter(source, target)) {
        return false;
    }
    while (!levels.empty()) {
        CWalkLevel& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        // A copy: entering a sub-folder may move the level's entries.
        CListedEntry entry = level.entries[level.next++];
        std::string childTarget = ChildPath(level.target, entry.name);
        CopySide side = CopySide::source;
        if (entry.isFolder) {
            if (!IsTargetRoot(entry.path, how.targetRoot) && !enter(entry.path, childTarget)) {
                return false;
            }
        } else if (CopyEntry(entry.path, childTarget, how, side)) {
            if (how.result != nullptr) {
                ++how.result->done.files;
            }
        } else if (how.skipExisting && errno == EEXIST && how.result != nullptr) {
            ++how.result->done.skipped;
        } else {
            return Fail(how, entry.path, side == CopySide::source ? entry.path : childTarget);
        }
        if (!Report(how)) {
            return false;
        }
    }
    return true;
}

bool CopyTreeWith(const std::string& source, const std::string& target, CTreeCopy how) {
    EntryKind kind = EntryKind::other;
    if (!GetEntryKind(source, true, kind)) {
        return Fail(how, source, source);
    }
    if (kind != EntryKind::folder) {
        errno = ENOTDIR;
        return Fail(how, source, source);
    }
    if (!MakePath(target) || !GetFileIdentity(target, how.targetRoot)) {
        return Fail(how, source, target);
    }
    if (!ReplicateFolders(source, target, how.targetRoot)) {
        return Fail(how, source, source);
    }
    return CopyFolder(source, target, how);
}

}  // namespace

std::string ChildPath(const std::string& folder, const std::string& name) {
    std::string path = folder;
    AddTrailingBackslash(path);
    return path + name;
}

void AddTrailingBackslash(std::string& path) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
}

bool FileExists(const std::string& path) {
    EntryKind kind = EntryKind::other;
    return GetEntryKind(path, false, kind);
}

bool IsDirectory(const std::string& path) {
    EntryKind kind = EntryKind::other;
    return GetEntryKind(path, true, kind) && kind == EntryKind::folder;
}

bool MakeDirectory(const std::string& path) {
    if (IsDirectory(path)) {
        return true;
    }
    // Someone else may have made it meanwhile, which is just as good.
    return CreateFolder(path) || (errno == EEXIST && IsDirectory(path));
}

bool MakePath(const std::string& path) {
    // Checked whole first, so an overlong path creates nothing.
    if (!IsUsablePath(path)) {
        return false;
    }
    if (IsDirectory(path)) {
        return true;
    }
    std::string built = path[0] == '/' ? "/" : "";
    std::vector<std::string> names = PathNames(path);
    for (const std::string& name : names) {
        built += name;
        if (!MakeDirectory(built)) {
            return false;
        }
        built += '/';
    }
    return !names.empty();
}

bool CopyTree(const std::string& source, const std::string& target) {
    return CopyTreeWith(source, target, {.mask = "*.*"});
}

bool CopyTreeMasked(const std::string& source, const std::string& target, const std::string& mask) {
    return CopyTreeWith(source, target, {.mask = mask});
}

bool CopyTreeClearReadOnly(const std::string& source, const std::string& target) {
    return CopyTreeWith(source, target, {.mask = "*.*", .clearReadOnly = true});
}

bool CopyTreeWithProgress(const std::string& source, const std::string& target,
                          const CTreeCopyOptions& options, CTreeCopyResult& result) {
    result = CTreeCopyResult();
    return CopyTreeWith(source, target,
                        {.mask = "*.*",
                         .clearReadOnly = options.clearReadOnly,
                         .skipExisting = options.skipExisting,
                         .onProgress = &options.onProgress,
                         .result = &result});
}

bool CopyFilePlain(const std::string& source, const std::string& target, bool failIfExists) {
    return CopyRegularFile(source, target, {.failIfExists = failIfExists});
}

bool CopyFileClearReadOnly(const std::string& source, const std::string& target,
                           bool failIfExists) {
    return CopyRegularFile(source, target, {.failIfExists = failIfExists, .addOwnerWrite = true});
}
