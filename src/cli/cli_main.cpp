// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_commands.h"
#include "helpers/path_parts.h"
#include "platform/path_status.h"
#include "shell/command_guard.h"
#include "shell/message_sink.h"
#include "shell/show_message.h"
#include "store/coll_loader.h"

const char* const cliUsage =
    "usage: tamblor-cli COMMAND ...\n"
    "  scan ROOT -o FILE.cdi [--description TEXT] [--burn-date YYYY-MM-DD] [--force]\n"
    "  info FILE.cdi [--json]\n"
    "  tree FILE.cdi [--json]\n"
    "  edit FILE.cdi [--description TEXT] [--burn-date YYYY-MM-DD]\n"
    "  collection COL list [--json]\n"
    "  collection COL add CDI...\n"
    "  collection COL remove TITLE\n"
    "  collection COL describe TEXT\n"
    "  totals COL [--json]\n"
    "  search COL [WORD...] [--type file|folder] [--disk TITLE] [--case]\n"
    "         [--created|--accessed|--modified FROM TO] [--mmap] [--json]\n"
    "  export COL\n"
    "  volume ROOT\n"
    "  diff OLD.cdi NEW.cdi [--json]\n"
    "  update FILE.cdi DIR [--dry-run] [--any-disk] [--json]\n"
    "  update --from-collection COL DRIVE [--dry-run] [--json]\n";

namespace {

void PrintMessage(const std::string& text) {
    std::string line = text;
    while (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

// The command's exit code, or -1 for a command that does not exist.
int RunCliCommand(const std::string& command, const CliArgs& rest) {
    if (command == "scan") {
        return CmdScan(rest);
    }
    if (command == "info") {
        return CmdInfo(rest);
    }
    if (command == "tree") {
        return CmdTree(rest);
    }
    if (command == "edit") {
        return CmdEdit(rest);
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
    if (command == "diff") {
        return CmdDiff(rest);
    }
    if (command == "update") {
        return CmdUpdate(rest);
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(cliUsage, stdout);
        return 0;
    }
    return -1;
}

}  // namespace

CCliLoad LoadCollectionForReading(CCollection& collection, const std::string& path) {
    CCollLoader loader(collection);
    CCliLoad load;
    load.read = loader.Load(path);
    ShowProblems(loader.GetProblems());
    load.complete = load.read && loader.GetProblems().IsEmpty();
    return load;
}

int UsageError() {
    std::fputs(cliUsage, stderr);
    return 2;
}

bool TakeOption(CliArgs& args, const char* option) {
    std::size_t before = args.size();
    std::erase(args, std::string(option));
    return args.size() != before;
}

int RunCli(const CliArgs& args) {
    SetMessageSink(PrintMessage);
    if (args.empty()) {
        return UsageError();
    }
    const std::string& command = args[0];
    CliArgs rest(args.begin() + 1, args.end());
    int status = -1;
    if (!RunCommand([&] { status = RunCliCommand(command, rest); })) {
        return 1;
    }
    return status >= 0 ? status : UsageError();
}
