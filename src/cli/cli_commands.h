// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of tamblor-cli. Each returns the process's exit status: 0 done, 1 failed
// (the reason has been shown), 2 wrong usage.
#pragma once

#include <string>
#include <vector>

#include "helpers/path_parts.h"

using CliArgs = std::vector<std::string>;

extern const char* const cliUsage;

int RunCli(const CliArgs& args);
int CmdScan(const CliArgs& args);
int CmdInfo(const CliArgs& args);
int CmdTree(const CliArgs& args);
int CmdEdit(const CliArgs& args);
int CmdCollection(const CliArgs& args);
int CmdTotals(const CliArgs& args);
int CmdSearch(const CliArgs& args);
int CmdExport(const CliArgs& args);
int CmdVolume(const CliArgs& args);
int CmdDiff(const CliArgs& args);
int CmdUpdate(const CliArgs& args);

// A collection loaded for a command that reads it. Its problems are shown on stderr; `read`
// is false when the file could not be read at all, `complete` false when disks were left out,
// which makes the command's exit status 1 once it has printed what it could.
struct CCliLoad {
    bool read = false;
    bool complete = false;
};
class CCollection;
CCliLoad LoadCollectionForReading(CCollection& collection, const std::string& path);
int UsageError();
// Removes every `option` from `args`; whether there was one.
bool TakeOption(CliArgs& args, const char* option);
