// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli diff and update: what changed on a disk since its index was made, and the
// rewrite of the index from the disk.

#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "disk/disk_scanner.h"
#include "disk/disk_update.h"
#include "helpers/file_path.h"
#include "helpers/problems.h"
#include "platform/path_status.h"
#include "platform/volume.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/collection.h"

namespace {

const char* ChangeName(CDiskChange::Kind kind) {
    switch (kind) {
        case CDiskChange::Kind::added:
            return "added";
        case CDiskChange::Kind::deleted:
            return "deleted";
        case CDiskChange::Kind::modified:
            return "modified";
        case CDiskChange::Kind::moved:
            return "moved";
    }
    return "";
}

// A text field of a number that may not apply: "-" then.
std::string Field(bool applies, std::int64_t value) {
    return applies ? std::to_string(value) : std::string("-");
}

std::string SizeField(bool applies, std::uint64_t value) {
    return applies ? std::to_string(value) : std::string("-");
}

// One line per difference. Text: change, kind, old size, size, old modify time, modify time,
// path and, for a move, the old path, tab-separated, "-" where a field does not apply, each
// path escaped as `tree` escapes it. JSON: the fields that apply, paths as `tree --json`.
void PrintDiff(const CDiskDiff& diff, const std::string& title, bool json) {
    CCataloguePath path{title, {}};
    CCataloguePath oldPath{title, {}};
    std::string line;
    for (const CDiskChange& change : diff.changes) {
        using Kind = CDiskChange::Kind;
        bool file = !change.folder;
        bool hasOld = file && change.change != Kind::added;
        bool hasNew = file && change.change != Kind::deleted;
        bool moved = change.change == Kind::moved;
        path.names = change.names;
        if (moved) {
            oldPath.names = change.oldNames;
        }
        const char kind = change.folder ? 'D' : 'F';
        if (json) {
            CJsonLine object;
            object.Add("change", ChangeName(change.change))
                .Add("kind", std::string_view(&kind, 1))
                .Add("path", path.Text())
                .Add("names", path.names);
            if (moved) {
                object.Add("old_path", oldPath.Text()).Add("old_names", oldPath.names);
            }
            if (hasOld) {
                object.Add("old_size", change.oldSize)
                    .Add("old_modified", CliTime(change.oldModified));
            }
            if (hasNew) {
                object.Add("size", change.size).Add("modified", CliTime(change.modified));
            }
            object.Print();
            continue;
        }
        line = ChangeName(change.change);
        line += '\t';
        line += kind;
        line += '\t' + SizeField(hasOld, change.oldSize) + '\t' + SizeField(hasNew, change.size);
        line += '\t' + Field(hasOld, CliTime(change.oldModified)) + '\t' +
                Field(hasNew, CliTime(change.modified)) + '\t';
        AppendEscapedCataloguePath(line, path);
        if (moved) {
            line += '\t';
            AppendEscapedCataloguePath(line, oldPath);
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

std::string VolumeText(const CCollDiskHeader& header) {
    return "label \"" + EscapeName(header.GetLabel()) + "\", serial " +
           std::to_string(header.serial);
}

// Scans the disk at `drive` into `scanned`, showing what went wrong; false when it failed.
bool Scan(const std::string& drive, CCollDisk& scanned) {
    std::string root = ResolveDriveRoot(drive);
    if (root.empty()) {
        ShowMessage("Failed opening folder %s", drive.c_str());
        return false;
    }
    CProblems problems;
    bool done = ScanDisk(scanned, root, problems);
    ShowProblems(problems);
    return done;
}

// Compares `stored` with the disk just scanned, prints the report and, unless `dryRun`,
// rewrites the index. The report is printed only once the index says what it tells.
int UpdateFromScan(CCollDisk& stored, CCollDisk& scanned, bool dryRun, bool json) {
    CDiskDiff diff = CompareWithScan(stored, scanned);
    // A disk with nothing changed keeps its file as it is; one taken for another with
    // --any-disk takes the new label and serial.
    bool needed = !diff.IsEmpty() || !IsSameVolume(stored, scanned);
    if (!dryRun && needed && !ReportResult(WriteUpdatedIndex(stored, scanned))) {
        return 1;
    }
    PrintDiff(diff, stored.title, json);
    return 0;
}

struct CUpdateOptions {
    bool dryRun = false;
    bool anyDisk = false;
    bool json = false;
    std::string collection;
};

int UpdateFromCollection(const std::string& drive, const CUpdateOptions& options) {
    CCollection collection;
    if (!LoadCollectionForReading(collection, FullPathOf(options.collection)).read) {
        return 1;
    }
    CCollDisk scanned;
    if (!Scan(drive, scanned)) {
        return 1;
    }
    std::vector<CCollDisk*> matching;
    for (const auto& disk : collection.disks) {
        if (IsSameVolume(*disk, scanned)) {
            matching.push_back(disk.get());
        }
    }
    if (matching.empty()) {
        ShowMessage("No disk of %s is the disk in %s (%s)", options.collection.c_str(),
                    drive.c_str(), VolumeText(scanned.header).c_str());
        return 1;
    }
    if (matching.size() > 1) {
        // Updating one of them would be a guess.
        ShowMessage("Several disks of %s are the disk in %s (%s): %s and %s",
                    options.collection.c_str(), drive.c_str(), VolumeText(scanned.header).c_str(),
                    EscapeName(matching[0]->title).c_str(), EscapeName(matching[1]->title).c_str());
        return 1;
    }
    return UpdateFromScan(*matching[0], scanned, options.dryRun, options.json);
}

}  // namespace

int CmdDiff(const CliArgs& given) {
    CliArgs args = given;
    bool json = TakeOption(args, "--json");
    if (args.size() != 2) {
        return UsageError();
    }
    std::string newPath = FullPathOf(args[1]);
    CDiskDiff diff = CompareIndexFiles(FullPathOf(args[0]), newPath);
    PrintDiff(diff, CFilePath(newPath).GetTitle(), json);
    return 0;
}

int CmdUpdate(const CliArgs& args) {
    CUpdateOptions options;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--any-disk") {
            options.anyDisk = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--from-collection" && i + 1 < args.size()) {
            options.collection = args[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            operands.push_back(arg);
        } else {
            return UsageError();
        }
    }
    if (!options.collection.empty()) {
        // The collection's own check picks the disk; no other could be taken instead.
        if (operands.size() != 1 || options.anyDisk) {
            return UsageError();
        }
        return UpdateFromCollection(operands[0], options);
    }
    if (operands.size() != 2) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> stored = CCollDisk::OfIndexFile(FullPathOf(operands[0]));
    if (!ReportResult(stored->ReadHeader())) {
        return 1;
    }
    CCollDisk scanned;
    if (!Scan(operands[1], scanned)) {
        return 1;
    }
    if (!options.anyDisk && !IsSameVolume(*stored, scanned)) {
        ShowMessage(
            "%s holds another disk (%s), not the disk of %s (%s); nothing was changed. "
            "Give --any-disk to update it from this one.",
            operands[1].c_str(), VolumeText(scanned.header).c_str(), operands[0].c_str(),
            VolumeText(stored->header).c_str());
        return 1;
    }
    return UpdateFromScan(*stored, scanned, options.dryRun, options.json);
}
