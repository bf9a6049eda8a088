// tamblor-cli scan, info and tree: one disk index file at a time.

#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <memory>
#include <set>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_time.h"
#include "platform/file.h"
#include "platform/path_status.h"
#include "platform/volume.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"

namespace {

// YYYY-MM-DD as that day at 12:00 local time.
bool ParseBurnDate(const std::string& text, Time32& out) {
    std::tm noon{};
    noon.tm_hour = 12;
    return ParseLocalTime(text, noon, false, out) && out >= 0;
}

std::string Unsigned(std::uint32_t value) {
    return std::to_string(value);
}

void PrintItem(char kind, std::uint32_t size, const CCollDiskItem& item, const std::string& path) {
    std::printf("%c\t%" PRIu32 "\t%" PRId32 "\t%" PRId32 "\t%" PRId32 "\t", kind, size,
                item.creationTime, item.modifyTime, item.accessTime);
    // Names are printed whole, a NUL byte from a damaged file included.
    std::fwrite(path.data(), 1, path.size(), stdout);
    std::fputc('\n', stdout);
}

// Prints a loaded level and reads the next one below each folder, as expanding it would.
// A folder met twice means the file is damaged; stopping there keeps the walk finite.
void PrintLevel(CRecordReader& reader, CCollDiskContent& content, const std::string& path,
                std::set<std::uint32_t>& seen) {
    for (const auto& folder : content.folders) {
        if (!seen.insert(folder->offset).second) {
            reader.ThrowDamaged();
        }
        std::string folderPath = path + "\\" + folder->name;
        PrintItem('D', 0, *folder, folderPath);
        folder->LoadSubfolders(reader);
        PrintLevel(reader, folder->content, folderPath, seen);
        folder->content.Clear();
    }
    for (const auto& file : content.files) {
        PrintItem('F', file->size, *file, path + "\\" + file->name);
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
    if (hasDescription && !disk.header.SetDescription(description)) {
        ShowMessage("Description is too long, it can be %d characters at most", 255);
        return 1;
    }
    if (!burnDate.empty() && !ParseBurnDate(burnDate, disk.header.burnDate)) {
        ShowMessage("Invalid burn date");
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
    if (!disk.Scan(rootFolder)) {
        return 1;
    }
    disk.header.burnDate = chosen.burnDate;
    disk.header.description = chosen.description;
    disk.ComputeTotals();
    if (!disk.SaveIndexFile(output)) {
        return 1;
    }
    std::printf("%" PRId32 " files, %" PRId32 " folders, %s bytes\n", disk.header.totalFiles,
                disk.header.totalFolders, Unsigned(disk.header.totalBytes).c_str());
    return 0;
}

int CmdInfo(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(FullPathOf(args[0]));
    if (!disk->ReadHeader()) {
        return 1;
    }
    const CCollDiskHeader& header = disk->header;
    std::printf("title: %s\n", disk->title.c_str());
    std::printf("label: %s\n", header.GetLabel().c_str());
    std::printf("serial: %s\n", Unsigned(header.serial).c_str());
    std::printf("burn-date: %" PRId32 "\n", header.burnDate);
    std::printf("description: %s\n", header.GetDescription().c_str());
    std::printf("files: %" PRId32 "\n", header.totalFiles);
    std::printf("folders: %" PRId32 "\n", header.totalFolders);
    std::printf("bytes: %s\n", Unsigned(header.totalBytes).c_str());
    return 0;
}

int CmdTree(const CliArgs& args) {
    if (args.size() != 1) {
        return UsageError();
    }
    std::unique_ptr<CCollDisk> disk = CCollDisk::OfIndexFile(FullPathOf(args[0]));
    disk->LoadContent();
    CFile file(disk->indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    std::set<std::uint32_t> seen;
    PrintLevel(reader, disk->content, disk->title + ":", seen);
    file.Close();
    return 0;
}
