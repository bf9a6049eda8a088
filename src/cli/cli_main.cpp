#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "disk/path_parts.h"
#include "platform/file_exception.h"
#include "platform/message_sink.h"
#include "platform/path_status.h"
#include "shell/show_message.h"

const char* const cliUsage =
    "usage: tamblor-cli COMMAND ...\n"
    "  scan ROOT -o FILE.cdi [--description TEXT] [--burn-date YYYY-MM-DD] [--force]\n"
    "  info FILE.cdi\n"
    "  tree FILE.cdi\n"
    "  collection COL list\n"
    "  collection COL add CDI...\n"
    "  collection COL remove TITLE\n"
    "  collection COL describe TEXT\n"
    "  totals COL\n"
    "  search COL [WORD...] [--type file|folder] [--disk TITLE] [--case]\n"
    "         [--created|--accessed|--modified FROM TO] [--mmap]\n"
    "  export COL\n"
    "  volume ROOT\n";

namespace {

bool messageShown = false;

void PrintMessage(const std::string& text) {
    messageShown = true;
    std::string line = text;
    while (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

bool MessagesShown() {
    return messageShown;
}

int UsageError() {
    std::fputs(cliUsage, stderr);
    return 2;
}

std::string FullPathOf(const std::string& path) {
    std::string full;
    if (!MakeAbsolutePath(path, GetCurrentFolder() + "/-", full)) {
        return path;
    }
    return full;
}

int RunCli(const CliArgs& args) {
    SetMessageSink(PrintMessage);
    messageShown = false;
    if (args.empty()) {
        return UsageError();
    }
    const std::string& command = args[0];
    CliArgs rest(args.begin() + 1, args.end());
    try {
        if (command == "scan") {
            return CmdScan(rest);
        }
        if (command == "info") {
            return CmdInfo(rest);
        }
        if (command == "tree") {
            return CmdTree(rest);
        }
        if (command == "collection") {
            return CmdCollection(rest);
        }
        if (command == "totals") {
            return CmdTotals(rest);
        }
        if (command == "search") {
            return CmdSearch(rest);
        }
        if (command == "export") {
            return CmdExport(rest);
        }
        if (command == "volume") {
            return CmdVolume(rest);
        }
        if (command == "--help" || command == "-h" || command == "help") {
            std::fputs(cliUsage, stdout);
            return 0;
        }
    } catch (const CFileException& error) {
        ReportFileException(error);
        return 1;
    }
    return UsageError();
}
