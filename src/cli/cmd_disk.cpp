// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli scan, info and tree: one disk index file at a time.

#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "disk/disk_scanner.h"
#include "helpers/local_time.h"
#include "helpers/problems.h"
#include "platform/file.h"
#include "platform/path_status.h"
#include "platform/volume.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"

namespace {

// YYYY-MM-DD as that day at 12:00 local time, within what the header's 32-bit field holds.
bool ParseBurnDate(const std::string& text, Time32& out) {
    std::tm noon{};
    noon.tm_hour = 12;
    Time64 time = 0;
    if (!ParseLocalTime(text, noon, false, time) || !FitsTime32(time)) {
        return false;
    }
    out = static_cast<Time32>(time);
    return true;
}

// The checks of the disk dialog, each with its message; the header changes only on success.
bool SetBurnDate(CCollDiskHeader& header, const std::string& text) {
    if (!ParseBurnDate(text, header.burnDate)) {
        ShowMessage("Invalid burn date");
        return false;
    }
    return true;
}

bool SetDescription(CCollDiskHeader& header, const std::string& text) {
    if (!header.SetDescription(text)) {
        ShowMessage("Description is too long, it can be %d characters at most", 255);
        return false;
    }
    return true;
}

std::string Unsigned(std::uint64_t value) {
    return std::to_string(value);
}

// Prints the items of a disk in record order, each as soon as it is met.
class CTreePrinter {
public:
    CTreePrinter(std::string diskTitle, bool asJson)
        : json(asJson), path(EscapeTitle(diskTitle) + ":") {
        current.title = std::move(diskTitle);
    }

    // Enters `name` below the current folder, prints it, and leaves it unless it is a folder
    // whose subtree follows.
    void Print(char kind, std::uint64_t size, const CCollDiskItem& item) {
        Enter(item.name);
        if (json) {
            CJsonLine line;
            line.Add("kind", std::string_view(&kind, 1))
                .Add("size", size)
                .Add("created", CliTime(item.creationTime))
                .Add("modified", CliTime(item.modifyTime))
                .Add("accessed", CliTime(item.accessTime))
                .Add("path", current.Text())
                .Add("disk", current.title)
                .Add("names", current.names);
            line.Print();
        } else {
            std::printf("%c\t%" PRIu64 "\t%" PRId64 "\t%" PRId64 "\t%" PRId64 "\t", kind, size,
                        CliTime(item.creationTime), CliTime(item.modifyTime),
                        CliTime(item.accessTime));
            std::fwrite(path.data(), 1, path.size(), stdout);
            std::fputc('\n', stdout);
        }
        if (kind != 'D') {
            Leave();
        }
    }
    void Leave() {
        path.resize(pathLengths.back());
        pathLengths.pop_back();
        current.names.pop_back();
    }

private:
    void Enter(const std::string& name) {
        pathLengths.push_back(path.size());
        path += '\\';
        path += EscapeName(name);
        current.names.push_back(name);
    }

    bool json;
    // The item's path, and its escaped text, grown and cut as the walk goes down and up, so
    // that a deep tree costs memory for its depth only once.
    CCataloguePath current;
    std::string path;
    std::vector<std::size_t> pathLengths;
};

// Walks a disk whose root level is loaded, reading the level below each folder as expanding
// it would: for each folder its line, then its subtree, then the files. An explicit stack
// keeps any depth within reach, and each folder's content is dropped once printed, bottom
// level first, so that nothing deep is left to destroy. A folder met twice means the file is
// damaged; stopping there keeps the walk finite.
void PrintTree(CRecordReader& reader, CCollDisk& disk, CTreePrinter& printer) {
    struct Level {
        CCollDiskContent* content;
        std::size_t nextFolder;
    };
    std::vector<Level> levels{{&disk.content, 0}};
    std::set<std::uint32_t> seen;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.nextFolder < level.content->folders.size()) {
            CCollDiskFolder& folder = *level.content->folders[level.nextFolder++];
            if (!seen.insert(folder.offset).second) {
                reader.ThrowDamaged();
            }
            printer.Print('D', 0, folder);
            folder.LoadSubfolders(reader);
            levels.push_back({&folder.content, 0});
            continue;
        }
        for (const auto& file : level.content->files) {
            printer.Print('F', file->size, *file);
        }
        level.content->Clear();
        levels.pop_back();
        if (!levels.empty()) {
            printer.Leave();
        }
    }
}

}  // namespace

int CmdScan(const CliArgs& args) {
    std::string root;
    std::string output;
    std::string description;
    std::string burnDate;
    bool hasDescription = false;
    bool force = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "-o" && hasValue) {
            output = args[++i];
        } else if (arg == "--description" && hasValue) {
            description = args[++i];
            hasDescription = true;
        } else if (arg == "--burn-date" && hasValue) {
            burnDate = args[++i];
        } else if (arg == "--force") {
            force = true;
        } else if (root.empty() && !arg.empty() && arg[0] != '-') {
            root = arg;
        } else {
            return UsageError();
        }
    }
    if (root.empty() || output.empty()) {
        return UsageError();
    }
    CCollDisk disk;
    if ((hasDescription && !SetDescription(disk.header, description)) ||
        (!burnDate.empty() && !SetBurnDate(disk.header, burnDate))) {
        return 1;
    }
    output = FullPathOf(output);
    if (!force && PathExists(output)) {
        ShowMessage("File exists: %s", output.c_str());
        return 1;
    }
    std::string rootFolder = ResolveDriveRoot(root);
    if (rootFolder.empty()) {
        ShowMessage("Failed opening folder %s", root.c_str());
        return 1;
    }
    // The scan writes the volume's fields; keep what the options set.
    CCollDiskHeader chosen = disk.header;
    CProblems problems;
    bool scanned = ScanDisk(disk, rootFolder, problems);
    ShowProblems(problems);
    if (!scanned) {
        return 1;
    }
    disk.header.burnDate = chosen.burnDate;
    disk.header.description = chosen.description;
    disk.ComputeTotals();
    if (!ReportResult(disk.SaveIndexFile(output))) {
        return 1;
    }
    std::printf("%" PRIu64 " files, %" PRIu64 " folders, %s bytes\n", disk.header.totalFiles,
                disk.header.totalFolders, Unsigned(disk.header.totalBytes).c_str());
    return 0;
}

int CmdInfo(const CliArgs& given) {
    CliArgs args = given;
    bool json = TakeOption(args, "--json");
    if (args.size() != 1) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(FullPathOf(args[0]));
    if (!ReportResult(disk->ReadHeader())) {
        return 1;
    }
    const CCollDiskHeader& header = disk->header;
    if (json) {
        CJsonLine line;
        line.Add("title", disk->title)
            .Add("label", header.GetLabel())
            .Add("serial", std::int64_t{header.serial})
            .Add("burn-date", std::int64_t{header.burnDate})
            .Add("description", header.GetDescription())
            .Add("files", header.totalFiles)
            .Add("folders", header.totalFolders)
            .Add("bytes", header.totalBytes);
        line.Print();
        return 0;
    }
    std::printf("title: %s\n", EscapeName(disk->title).c_str());
    std::printf("label: %s\n", EscapeName(header.GetLabel()).c_str());
    std::printf("serial: %s\n", Unsigned(header.serial).c_str());
    std::printf("burn-date: %" PRId32 "\n", header.burnDate);
    std::printf("description: %s\n", EscapeName(header.GetDescription()).c_str());
    std::printf("files: %" PRIu64 "\n", header.totalFiles);
    std::printf("folders: %" PRIu64 "\n", header.totalFolders);
    std::printf("bytes: %s\n", Unsigned(header.totalBytes).c_str());
    return 0;
}

int CmdTree(const CliArgs& given) {
    CliArgs args = given;
    bool json = TakeOption(args, "--json");
    if (args.size() != 1) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(FullPathOf(args[0]));
    disk->LoadContent();
    CFile file(disk->indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    CTreePrinter printer(disk->title, json);
    PrintTree(reader, *disk, printer);
    file.Close();
    return 0;
}

int CmdEdit(const CliArgs& args) {
    std::optional<std::string> description;
    std::optional<std::string> burnDate;
    std::string path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--description" && hasValue) {
            description = args[++i];
        } else if (arg == "--burn-date" && hasValue) {
            burnDate = args[++i];
        } else if (path.empty() && !arg.empty() && arg[0] != '-') {
            path = arg;
        } else {
            return UsageError();
        }
    }
    if (path.empty()) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(FullPathOf(path));
    if (!ReportResult(disk->ReadHeader())) {
        return 1;
    }
    // Checked in the order Apply checks them; nothing is written unless both pass.
    if ((burnDate && !SetBurnDate(disk->header, *burnDate)) ||
        (description && !SetDescription(disk->header, *description))) {
        return 1;
    }
    if (!burnDate && !description) {
        return 0;
    }
    return ReportResult(disk->WriteHeader()) ? 0 : 1;
}
