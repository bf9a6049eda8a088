// tamblor-cli export: the disk list as an HTML page next to the collection.

#include "cli/cli_commands.h"

int CmdExport(const CliArgs& /*args*/) {
    return UsageError();
}
