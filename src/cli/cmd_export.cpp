// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli export: the disk list as an HTML page next to the collection.

#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "search/export_disk_list.h"
#include "shell/show_message.h"
#include "store/coll_loader.h"
#include "store/collection.h"

int CmdExport(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError();
    }
    CCollection collection;
    std::string path = FullPathOf(args[0]);
    CCliLoad load = LoadCollectionForReading(collection, path);
    if (!load.read) {
        return 1;
    }
    if (collection.disks.empty()) {
        return load.complete ? 0 : 1;
    }
    std::string outputPath = DiskListPagePath(path);
    CProblems problems;
    bool exported = ExportCollectionList(TakeDiskListRows(collection), outputPath, problems);
    ShowProblems(problems);
    if (!exported) {
        return 1;
    }
    std::printf("%s\n", outputPath.c_str());
    // Disks that could not be loaded are missing from the page: the message said which.
    return load.complete ? 0 : 1;
}
