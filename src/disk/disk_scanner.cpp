// SPDX-License-Identifier: GPL-3.0-or-later
// The scan of a mounted disk into a disk's tree. Each folder is listed completely before
// its sub-folders are entered, sub-folders in stored order, depth first, and every folder is
// opened relative to its parent, so the process's current directory never moves onto the
// disk (it could not be ejected then). The walk is a loop over an explicit list of levels:
// a level costs a few words and, only near the bottom, a descriptor, so any depth the
// filesystem allows is scanned within the descriptor limit and without deep nested calls.

#include "disk/disk_scanner.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "disk/fs_utils.h"
#include "helpers/problems.h"
#include "platform/dir_reader.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"

namespace {

// Descriptors kept open: the root's and those of the deepest levels. The levels in between
// are closed and reached again through ".." (or by their names) on the way back up.
constexpr std::size_t maxOpenFolders = 16;
// Folders named in one message; the rest are counted.
constexpr std::size_t maxNamedFolders = 20;
// Entries listed between two progress reports inside one folder: a folder of a hundred
// thousand files on a slow drive must not leave the caller deaf for its whole listing.
constexpr int entriesPerReport = 256;

bool IsRefusal(int error) {
    return error == EACCES || error == EPERM;
}

// A sub-folder that went away, or was replaced by a file or a link, since its parent was
// listed: what the listing saw is no longer on the disk.
bool IsVanished(int error) {
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

// A folder that was not read whole, and why (an errno value).
struct CUnreadFolder {
    std::string path;
    int error = 0;
};

class CTreeScan {
public:
    CTreeScan(std::string rootPath, CDirReader root, CCollDiskContent& content,
              const ScanProgress* progress = nullptr)
        : rootPath(std::move(rootPath)), progress(progress) {
        levels.push_back(CLevel{&content, 0, std::move(root), {}, false});
    }

    void Run();

    // Folders that could not be read whole, in the order the scan met them.
    std::vector<CUnreadFolder> unread;
    // Whether one of them is missing something for a reason other than a refusal of access:
    // the tree is then knowingly incomplete.
    bool incomplete = false;
    // Whether the progress callback asked the scan to stop.
    bool stopped = false;

private:
    struct CLevel {
        CCollDiskContent* content;
        // The sub-folder to enter next.
        std::size_t next;
        CDirReader reader;
        // Recorded when the reader is closed to spare descriptors, so the folder reached
        // again can be checked to be the same.
        CDirIdentity identity;
        bool identityKnown;
    };

    void List(CLevel& level);
    void EnterNext();
    void Climb();
    void SpareDescriptors();
    bool IsSameFolder(const CLevel& level) const;
    bool ReopenByNames(std::size_t depth);
    const std::string& NameOf(std::size_t depth) const;
    std::string PathOf(std::size_t depth) const;
    void NoteUnread(std::string path, int error);
    void Report();

    std::string rootPath;
    std::vector<CLevel> levels;
    const ScanProgress* progress;
    CScanCounts counts;
    int unreported = 0;
};

void CTreeScan::Run() {
    List(levels.back());
    while (!levels.empty() && !stopped) {
        const CLevel& top = levels.back();
        if (top.next < top.content->folders.size()) {
            EnterNext();
        } else {
            Climb();
        }
    }
}

void CTreeScan::List(CLevel& level) {
    CCollDiskContent& content = *level.content;
    int refused = 0;
    int failed = 0;
    CDirEntry entry;
    while (!stopped && level.reader.Next(entry)) {
        if (entry.detailsError != 0) {
            (IsRefusal(entry.detailsError) ? refused : failed) = entry.detailsError;
        }
        if (entry.isDirectory) {
            content.folders.Add(std::make_unique<CCollDiskFolder>(entry));
            ++counts.folders;
        } else {
            content.files.Add(std::make_unique<CCollDiskFile>(entry));
            ++counts.files;
        }
        if (++unreported == entriesPerReport) {
            Report();
        }
    }
    if (stopped) {
        return;
    }
    Report();
    if (level.reader.Failed()) {
        failed = level.reader.ListError();
    }
    if (failed != 0 || refused != 0) {
        NoteUnread(PathOf(levels.size() - 1), failed != 0 ? failed : refused);
    }
}

void CTreeScan::EnterNext() {
    CLevel& top = levels.back();
    CCollDiskFolder& folder = *top.content->folders[top.next++];
    CDirReader child;
    if (!child.OpenChild(top.reader, folder.name)) {
        int error = errno;
        // A folder that cannot be entered stays in the tree, empty, and the scan goes on.
        if (!IsRefusal(error) && !IsVanished(error)) {
            NoteUnread(ChildPath(PathOf(levels.size() - 1), folder.name), error);
        }
        return;
    }
    levels.push_back(CLevel{&folder.content, 0, std::move(child), {}, false});
    List(levels.back());
    SpareDescriptors();
}

// Closes the descriptor of the level that has just fallen out of the deepest few.
void CTreeScan::SpareDescriptors() {
    if (levels.size() <= maxOpenFolders) {
        return;
    }
    CLevel& level = levels[levels.size() - maxOpenFolders];
    if (level.reader.IsOpen()) {
        level.identityKnown = level.reader.GetIdentity(level.identity);
        level.reader.Close();
    }
}

bool CTreeScan::IsSameFolder(const CLevel& level) const {
    CDirIdentity now;
    return !level.identityKnown || (level.reader.GetIdentity(now) && now == level.identity);
}

// Back to the parent level, whose descriptor must be open again if it was closed: the
// folder just left leads to it through "..", checked to be the folder listed before; if it
// is not, the names lead down to it from the nearest level still open.
void CTreeScan::Climb() {
    CLevel done = std::move(levels.back());
    levels.pop_back();
    if (levels.empty()) {
        return;
    }
    CLevel& parent = levels.back();
    if (parent.reader.IsOpen()) {
        return;
    }
    if (done.reader.IsOpen() && parent.reader.OpenParent(done.reader) && IsSameFolder(parent)) {
        return;
    }
    parent.reader.Close();
    if (!ReopenByNames(levels.size() - 1) && parent.next < parent.content->folders.size()) {
        // Its remaining sub-folders stay empty: the tree is not the disk's.
        NoteUnread(PathOf(levels.size() - 1), errno != 0 ? errno : ESTALE);
        parent.next = parent.content->folders.size();
    }
}

bool CTreeScan::ReopenByNames(std::size_t depth) {
    std::size_t from = depth;
    while (from > 0 && !levels[from].reader.IsOpen()) {
        --from;
    }
    if (!levels[from].reader.IsOpen()) {
        errno = EBADF;
        return false;
    }
    for (std::size_t at = from + 1; at <= depth; ++at) {
        CLevel& level = levels[at];
        bool reached = level.reader.OpenChild(levels[at - 1].reader, NameOf(at));
        int error = reached ? 0 : errno;
        if (reached && !IsSameFolder(level)) {
            level.reader.Close();
            reached = false;
            error = ESTALE;
        }
        // Only the way down needed the levels in between.
        if (at - 1 > from) {
            levels[at - 1].reader.Close();
        }
        if (!reached) {
            errno = error;
            return false;
        }
    }
    return true;
}

// The name of the folder of level `depth` (1 or more) in its parent.
const std::string& CTreeScan::NameOf(std::size_t depth) const {
    const CLevel& parent = levels[depth - 1];
    return parent.content->folders[parent.next - 1]->name;
}

// Built only for messages: a path as long as the tree is deep is never opened.
std::string CTreeScan::PathOf(std::size_t depth) const {
    std::string path = rootPath;
    for (std::size_t at = 1; at <= depth; ++at) {
        path = ChildPath(path, NameOf(at));
    }
    return path;
}

void CTreeScan::NoteUnread(std::string path, int error) {
    if (!IsRefusal(error)) {
        incomplete = true;
    }
    unread.push_back(CUnreadFolder{std::move(path), error});
}

void CTreeScan::Report() {
    unreported = 0;
    if (progress != nullptr && *progress && !(*progress)(counts)) {
        stopped = true;
    }
}

void ReportUnread(const std::vector<CUnreadFolder>& unread, CProblems& problems) {
    if (unread.empty()) {
        return;
    }
    std::string text;
    for (std::size_t i = 0; i < unread.size() && i < maxNamedFolders; ++i) {
        if (!text.empty()) {
            text += '\n';
        }
        text += "Failed reading folder " + unread[i].path + ": " + std::strerror(unread[i].error);
    }
    if (unread.size() > maxNamedFolders) {
        text += "\nand " + std::to_string(unread.size() - maxNamedFolders) + " more folders";
    }
    problems.Add("%s", text.c_str());
}

}  // namespace

bool ScanFolder(CCollDiskFolder& folder, const std::string& path) {
    CDirReader dir;
    if (!dir.Open(path)) {
        return false;
    }
    CTreeScan scan(path, std::move(dir), folder.content);
    scan.Run();
    return !scan.incomplete;
}

// Folders that refuse to be looked into are named, and the disk is still catalogued; a
// folder that could not be read for any other reason (descriptors or memory exhausted, a
// read error) makes the scan fail, so part of a disk is never saved as the whole of it.
bool ScanDisk(CCollDisk& disk, const std::string& rootPath, CProblems& problems,
              const ScanProgress& progress) {
    if (!disk.header.ReadVolumeInfo(rootPath)) {
        problems.Add("Failed loading volume information");
        return false;
    }
    CDirReader root;
    if (!root.Open(rootPath)) {
        problems.Add("Failed opening folder %s\n", rootPath.c_str());
        return false;
    }
    CTreeScan scan(rootPath, std::move(root), disk.content, &progress);
    scan.Run();
    // A scan the user stopped is thrown away: what it could not read no longer matters.
    if (scan.stopped) {
        return false;
    }
    ReportUnread(scan.unread, problems);
    return !scan.incomplete;
}
