// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <exception>

#include "cli/cli_commands.h"

int main(int argc, char** argv) {
    try {
        return RunCli(CliArgs(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Internal application error.\n");
        return 1;
    }
}
