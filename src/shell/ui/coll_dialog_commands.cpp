#include "shell/ui/coll_dialog_commands.h"

#include "shell/coll_session.h"
#include "shell/ui/coll_view.h"

void RunDialogCommand(CCollCommand command, CCollSession& /*session*/, CCollView& /*view*/,
                      QWidget* /*parent*/) {
    switch (command) {
        default:
            break;
    }
}
