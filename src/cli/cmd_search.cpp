// tamblor-cli search: the search engine run as the search panel runs it.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "cli/cli_time.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/coll_loader.h"
#include "store/collection.h"
#include "store/record_reader.h"

namespace {

// Finds the folders that hold an item of an index file from the item's record offset: a
// catalogue path alone cannot tell a separator from a backslash inside a name. Records nest
// as they are written: a folder's subtree lies between its record and its next sibling's.
// Results come level by level in record order, so the folders found for one result are
// mostly those of the next, and each is read once per level.
class CAncestorFinder {
public:
    explicit CAncestorFinder(const std::string& indexPath)
        : file(indexPath, CFile::Mode::read), reader(file) {
        reader.Seek(CCollDiskHeader::size);
        levels.push_back(ReadTable(0, reader.GetLength()));
    }

    // The names of the folders holding the record at `offset`, outermost first.
    const std::vector<std::string>& NamesAbove(std::uint32_t offset) {
        while (levels.size() > 1 &&
               (offset <= levels.back().offset || offset >= levels.back().end)) {
            levels.pop_back();
            names.pop_back();
        }
        while (true) {
            const Level& level = levels.back();
            auto at = std::lower_bound(level.children.begin(), level.children.end(), offset);
            if (at != level.children.end() && *at == offset) {
                return names;
            }
            auto index = static_cast<std::size_t>(at - level.children.begin());
            if (index == 0 || index > level.folderCount) {
                reader.ThrowDamaged();
            }
            std::uint32_t folder = level.children[index - 1];
            std::uint32_t end = index < level.children.size() ? level.children[index] : level.end;
            if (folder <= level.offset || end > level.end) {
                reader.ThrowDamaged();
            }
            reader.Seek(folder);
            std::string name;
            reader.ReadString(name);
            for (int time = 0; time < 3; ++time) {
                reader.ReadInt32();
            }
            levels.push_back(ReadTable(folder, end));
            names.push_back(std::move(name));
        }
    }

private:
    struct Level {
        std::uint32_t offset;
        std::uint32_t end;
        std::vector<std::uint32_t> children;  // folders, then files, in record order
        std::size_t folderCount;
    };

    // The table at the reader's position, of the folder whose record is at `offset`.
    Level ReadTable(std::uint32_t offset, std::uint64_t end) {
        Level level{offset, static_cast<std::uint32_t>(end), {}, 0};
        level.folderCount = reader.ReadCount(4, end);
        for (std::size_t i = 0; i < level.folderCount; ++i) {
            level.children.push_back(static_cast<std::uint32_t>(reader.ReadInt32()));
        }
        std::uint32_t files = reader.ReadCount(4, end);
        for (std::uint32_t i = 0; i < files; ++i) {
            level.children.push_back(static_cast<std::uint32_t>(reader.ReadInt32()));
        }
        if (!std::is_sorted(level.children.begin(), level.children.end())) {
            reader.ThrowDamaged();
        }
        return level;
    }

    CFile file;
    CRecordReader reader;
    std::vector<Level> levels;
    std::vector<std::string> names;
};

// Prints each result as one line, put together first and handed to stdio in one call.
class CPrintingReceiver : public CSearchResultReceiver {
public:
    explicit CPrintingReceiver(bool asJson) : json(asJson) {}

    // The disk whose results come next.
    void BeginDisk(const CCollDisk& disk) {
        title = &disk.title;
        indexPath = &disk.indexPath;
        finder.reset();
    }

    void OnSearchResult(const CCollSearchResult& result) override {
        if (!finder) {
            finder = std::make_unique<CAncestorFinder>(*indexPath);
        }
        names = finder->NamesAbove(static_cast<std::uint32_t>(result.offset));
        names.push_back(result.name);
        if (json) {
            CJsonLine object;
            object.Add("type", result.type->name)
                .Add("path", result.path)
                .Add("disk", *title)
                .Add("names", names);
            object.Print();
        } else {
            line.assign(result.type->name)
                .append(1, '\t')
                .append(EscapedCataloguePath(*title, names))
                .append(1, '\n');
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        ++count;
    }
    long long count = 0;

private:
    bool json;
    const std::string* title = nullptr;
    const std::string* indexPath = nullptr;
    std::unique_ptr<CAncestorFinder> finder;
    std::vector<std::string> names;
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
bool ParseTime(const std::string& text, bool endOfInterval, Time32& out) {
    long long seconds = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error == std::errc() && end == text.data() + text.size()) {
        if (seconds < INT32_MIN || seconds > INT32_MAX) {
            return false;
        }
        out = static_cast<Time32>(seconds);
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
    CCollSearch search(&collection);
    search.Reset();
    search.scope = 1;
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
                search.SetType(&CCollDiskItemType::fileType);
            } else if (type == "folder") {
                search.SetType(&CCollDiskItemType::folderType);
            } else {
                return UsageError();
            }
        } else if (arg == "--disk" && hasValue) {
            diskTitle = args[++i];
            hasDisk = true;
        } else if (arg == "--case") {
            search.caseSensitive = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--mmap") {
            search.useMemoryMappedFile = true;
        } else if ((arg == "--created" || arg == "--accessed" || arg == "--modified") &&
                   i + 2 < args.size()) {
            search.timeKind = arg == "--created" ? 0 : (arg == "--accessed" ? 1 : 2);
            if (!ParseTime(args[i + 1], false, search.timeFrom) ||
                !ParseTime(args[i + 2], true, search.timeTo)) {
                return UsageError();
            }
            i += 2;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError();
        } else {
            words += words.empty() ? arg : " " + arg;
        }
    }
    collection.path = FullPathOf(args[0]);
    if (!CCollLoader(collection).Load(collection.path)) {
        return 1;
    }
    std::size_t first = 0;
    std::size_t last = collection.disks.size();
    if (hasDisk) {
        CCollDisk* disk = collection.FindDiskByTitle(diskTitle);
        if (disk == nullptr) {
            ShowMessage("Disk not found");
            return 1;
        }
        for (std::size_t i = 0; i < collection.disks.size(); ++i) {
            if (collection.disks[i] == disk) {
                first = i;
                last = i + 1;
                break;
            }
        }
    }
    search.SetWords(words);
    BufferResultOutput();
    CPrintingReceiver receiver(json);
    search.resultReceiver = &receiver;
    search.PrepareWords();
    int status = 0;
    try {
        // One disk at a time, in the engine's order, so that each result's disk is known.
        for (std::size_t i = first; i < last; ++i) {
            receiver.BeginDisk(*collection.disks[i]);
            search.diskIndex = static_cast<int>(i);
            search.Run();
        }
    } catch (const CFileException& error) {
        ReportFileException(error);
        status = 1;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%lld results\n", receiver.count);
    return status != 0 || MessagesShown() ? 1 : 0;
}
