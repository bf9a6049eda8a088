// tamblor-cli search: the search engine run as the search panel runs it.

#include "cli/cli_commands.h"

int CmdSearch(const CliArgs& /*args*/) {
    return UsageError();
}
