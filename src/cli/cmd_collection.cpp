// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli collection and totals: reading and changing a collection file.

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "platform/path_status.h"
#include "shell/show_message.h"
#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/collection.h"

namespace {

// Reads COL whole, showing what went wrong; false when the file itself cannot be read.
// Loads COL for a change. A disk that failed to load would be dropped by the save, so
// then nothing is changed.
bool LoadForChange(CCollection& collection, const std::string& path, bool createMissing) {
    if (createMissing && !PathExists(path)) {
        return true;
    }
    CCollLoader loader(collection);
    bool read = loader.Load(path);
    ShowProblems(loader.GetProblems());
    return read && loader.GetFailedLines() == 0;
}

int List(const CCollection& collection, bool json, bool complete) {
    for (const auto& disk : collection.disks) {
        const CCollDiskHeader& header = disk->header;
        if (json) {
            CJsonLine line;
            line.Add("title", disk->title)
                .Add("index", disk->indexPath)
                .Add("files", header.totalFiles)
                .Add("folders", header.totalFolders)
                .Add("bytes", header.totalBytes)
                .Add("burn-date", std::int64_t{header.burnDate});
            line.Print();
            continue;
        }
        std::printf("%s\t%s\t%" PRIu64 "\t%" PRIu64 "\t%" PRIu64 "\t%" PRId32 "\n",
                    EscapeName(disk->title).c_str(), EscapeName(disk->indexPath).c_str(),
                    header.totalFiles, header.totalFolders, header.totalBytes, header.burnDate);
    }
    return complete ? 0 : 1;
}

int Add(CCollection& collection, const std::string& path, const CliArgs& files) {
    CCollLoader loader(collection);
    std::size_t before = collection.disks.size();
    bool inserted = true;
    for (const std::string& file : files) {
        if (!loader.InsertIndexFile(FullPathOf(file))) {
            inserted = false;
            break;
        }
    }
    ShowProblems(loader.GetProblems());
    // Files already listed, or a first file that failed, leave the collection as it was: a
    // collection that did not exist is then not created.
    if (collection.disks.size() != before && !ReportResult(CCollSaver(collection).Save(path))) {
        return 1;
    }
    return inserted ? 0 : 1;
}

}  // namespace

int CmdCollection(const CliArgs& args) {
    if (args.size() < 2) {
        return UsageError();
    }
    const std::string& action = args[1];
    bool json = action == "list" && args.size() == 3 && args[2] == "--json";
    bool isList = action == "list" && (args.size() == 2 || json);
    bool isAdd = action == "add" && args.size() >= 3;
    bool isRemove = action == "remove" && args.size() == 3;
    bool isDescribe = action == "describe" && args.size() == 3;
    if (!isList && !isAdd && !isRemove && !isDescribe) {
        return UsageError();
    }
    std::string path = FullPathOf(args[0]);
    CCollection collection;
    if (isList) {
        CCliLoad load = LoadCollectionForReading(collection, path);
        if (!load.read) {
            return 1;
        }
        return List(collection, json, load.complete);
    }
    if (!LoadForChange(collection, path, isAdd)) {
        return 1;
    }
    if (isAdd) {
        return Add(collection, path, CliArgs(args.begin() + 2, args.end()));
    }
    if (isRemove) {
        CCollDisk* disk = collection.FindDiskByTitle(args[2]);
        if (disk == nullptr) {
            ShowMessage("Disk not found");
            return 1;
        }
        collection.RemoveDisk(disk);
    } else {
        collection.description = args[2];
    }
    return ReportResult(CCollSaver(collection).Save(path)) ? 0 : 1;
}

int CmdTotals(const CliArgs& given) {
    CliArgs args = given;
    bool json = TakeOption(args, "--json");
    if (args.size() != 1) {
        return UsageError();
    }
    CCollection collection;
    std::string path = FullPathOf(args[0]);
    CCliLoad load = LoadCollectionForReading(collection, path);
    if (!load.read) {
        return 1;
    }
    CCollTotals totals;
    collection.GetTotals(totals);
    if (json) {
        CJsonLine line;
        line.Add("disks", std::int64_t{totals.disks})
            .Add("folders", totals.folders)
            .Add("files", totals.files)
            .Add("bytes", totals.bytes);
        line.Print();
        return load.complete ? 0 : 1;
    }
    std::printf("disks: %" PRId32 "\n", totals.disks);
    std::printf("folders: %" PRIu64 "\n", totals.folders);
    std::printf("files: %" PRIu64 "\n", totals.files);
    std::printf("bytes: %" PRIu64 "\n", totals.bytes);
    return load.complete ? 0 : 1;
}
