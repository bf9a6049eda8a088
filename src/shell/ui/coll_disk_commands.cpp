#include "shell/ui/coll_disk_commands.h"

#include "shell/coll_session.h"

void RunNewDiskIndex(CCollSession& /*session*/, QWidget* /*parent*/) {}
