// tamblor-cli search: the search engine run as the search panel runs it.

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <string>

#include "cli/cli_commands.h"
#include "platform/file_exception.h"
#include "search/coll_search.h"
#include "shell/show_message.h"
#include "store/coll_loader.h"
#include "store/collection.h"

namespace {

class CPrintingReceiver : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        std::fputs(result.type->name.c_str(), stdout);
        std::fputc('\t', stdout);
        std::fwrite(result.path.data(), 1, result.path.size(), stdout);
        std::fputc('\n', stdout);
        ++count;
    }
    long long count = 0;
};

bool ParseNumber(const std::string& text, std::size_t at, std::size_t length, int& out) {
    if (at + length > text.size()) {
        return false;
    }
    const char* first = text.data() + at;
    auto [end, error] = std::from_chars(first, first + length, out);
    return error == std::errc() && end == first + length;
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
    std::tm when{};
    int year = 0;
    int month = 0;
    int day = 0;
    if ((text.size() != 10 && text.size() != 19) || text[4] != '-' || text[7] != '-' ||
        !ParseNumber(text, 0, 4, year) || !ParseNumber(text, 5, 2, month) ||
        !ParseNumber(text, 8, 2, day)) {
        return false;
    }
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    if (text.size() == 19) {
        if (text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
            !ParseNumber(text, 11, 2, when.tm_hour) || !ParseNumber(text, 14, 2, when.tm_min) ||
            !ParseNumber(text, 17, 2, when.tm_sec)) {
            return false;
        }
    } else if (endOfInterval) {
        when.tm_hour = 23;
        when.tm_min = 59;
        when.tm_sec = 59;
    }
    when.tm_isdst = -1;
    std::tm asked = when;
    std::time_t local = std::mktime(&when);
    if (when.tm_year != asked.tm_year || when.tm_mon != asked.tm_mon ||
        when.tm_mday != asked.tm_mday || local < INT32_MIN || local > INT32_MAX) {
        return false;
    }
    out = static_cast<Time32>(local);
    return true;
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
    if (hasDisk) {
        CCollDisk* disk = collection.FindDiskByTitle(diskTitle);
        if (disk == nullptr) {
            ShowMessage("Disk not found");
            return 1;
        }
        for (std::size_t i = 0; i < collection.disks.size(); ++i) {
            if (collection.disks[i] == disk) {
                search.diskIndex = static_cast<int>(i);
            }
        }
    }
    search.SetWords(words);
    CPrintingReceiver receiver;
    search.resultReceiver = &receiver;
    search.PrepareWords();
    int status = 0;
    try {
        search.Run();
    } catch (const CFileException& error) {
        ReportFileException(error);
        status = 1;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "%lld results\n", receiver.count);
    return status != 0 || MessagesShown() ? 1 : 0;
}
