// SPDX-License-Identifier: GPL-3.0-or-later
// tamblor-cli search: the search engine run as the search panel runs it.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "helpers/local_time.h"
#include "platform/file.h"
#include "search/coll_search.h"
#include "shell/command_guard.h"
#include "shell/show_message.h"
#include "store/coll_loader.h"
#include "store/collection.h"

namespace {

// Prints each result as one line, put together first and handed to stdio in one call.
class CPrintingReceiver : public CSearchResultReceiver {
public:
    explicit CPrintingReceiver(bool asJson) : json(asJson) {}

    void OnSearchResult(const CCollSearchResult& result) override {
        const CCataloguePath& path = result.path;
        if (json) {
            CJsonLine object;
            object.Add("type", result.type->name)
                .Add("path", path.Text())
                .Add("disk", path.title)
                .Add("names", path.names);
            object.Print();
        } else {
            // Results come folder by folder: the folder's part is escaped once for all of them.
            if (!IsFolderOf(path)) {
                folder.title = path.title;
                folder.names.assign(path.names.begin(), path.names.end() - 1);
                escapedFolderPath.clear();
                AppendEscapedCataloguePath(escapedFolderPath, folder);
                escapedFolderPath += '\\';
            }
            line.assign(result.type->name).append(1, '\t').append(escapedFolderPath);
            AppendEscapedName(line, path.names.back());
            line += '\n';
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        ++count;
    }
    long long count = 0;

private:
    bool IsFolderOf(const CCataloguePath& path) const {
        return folder.title == path.title && folder.names.size() + 1 == path.names.size() &&
               std::equal(folder.names.begin(), folder.names.end(), path.names.begin());
    }

    bool json;
    CCataloguePath folder;
    std::string escapedFolderPath;
    std::string line;
};

// A search can print millions of lines: into a file or a pipe they go through a buffer large
// enough that the writes stay few. A terminal keeps its line-by-line output, so that results
// show as they are found. Set before anything is printed, as stdio requires.
void BufferResultOutput() {
    static char buffer[256 * 1024];
    if (!IsTerminal(STDOUT_FILENO)) {
        std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    }
}

// Signed seconds, or local YYYY-MM-DD[THH:MM:SS]; a day alone starts at its first second,
// or, as the end of an interval, ends at its last.
bool ParseTime(const std::string& text, bool endOfInterval, Time64& out) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    if (error == std::errc() && end == text.data() + text.size()) {
        return true;
    }
    std::tm timeOfDay{};
    if (endOfInterval) {
        timeOfDay.tm_hour = 23;
        timeOfDay.tm_min = 59;
        timeOfDay.tm_sec = 59;
    }
    return ParseLocalTime(text, timeOfDay, true, out);
}

}  // namespace

int CmdSearch(const CliArgs& args) {
    if (args.empty()) {
        return UsageError();
    }
    CCollection collection;
    CCollSearchCriteria criteria;
    std::string words;
    std::string diskTitle;
    bool hasDisk = false;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--type" && hasValue) {
            const std::string& type = args[++i];
            if (type == "file") {
                criteria.type = &CCollDiskItemType::fileType;
            } else if (type == "folder") {
                criteria.type = &CCollDiskItemType::folderType;
            } else {
                return UsageError();
            }
        } else if (arg == "--disk" && hasValue) {
            diskTitle = args[++i];
            hasDisk = true;
        } else if (arg == "--case") {
            criteria.caseSensitive = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--mmap") {
            criteria.useMemoryMappedFile = true;
        } else if ((arg == "--created" || arg == "--accessed" || arg == "--modified") &&
                   i + 2 < args.size()) {
            criteria.timeKind = arg == "--created" ? 0 : (arg == "--accessed" ? 1 : 2);
            if (!ParseTime(args[i + 1], false, criteria.timeFrom) ||
                !ParseTime(args[i + 2], true, criteria.timeTo)) {
                return UsageError();
            }
            i += 2;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError();
        } else {
            words += words.empty() ? arg : " " + arg;
        }
    }
    CCliLoad load = LoadCollectionForReading(collection, FullPathOf(args[0]));
    if (!load.read) {
        return 1;
    }
    if (hasDisk) {
        CCollDisk* disk = collection.FindDiskByTitle(diskTitle);
        if (disk == nullptr) {
            ShowMessage("Disk not found");
            return 1;
        }
        for (std::size_t i = 0; i < collection.disks.size(); ++i) {
            if (collection.disks[i] == disk) {
                criteria.diskIndex = static_cast<int>(i);
                break;
            }
        }
    }
    criteria.SetWords(words);
    BufferResultOutput();
    CPrintingReceiver receiver(json);
    CCollSearch search(&collection);
    // The results found before a failure are printed all the same.
    int status = RunCommand([&] { search.Run(criteria, receiver); }) ? 0 : 1;
    std::fflush(stdout);
    std::fprintf(stderr, "%lld results\n", receiver.count);
    return status != 0 || !load.complete ? 1 : 0;
}
