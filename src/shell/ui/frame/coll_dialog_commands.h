// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that show a dialog: properties, totals, settings, about, the guide, and New
// disk index.
#pragma once

#include "shell/coll_commands.h"

class CCollSession;
class CCollView;
class QWidget;

// Runs `command` if it is one of them; may throw CFileException, as every command may.
void RunDialogCommand(CCollCommand command, CCollSession& session, CCollView& view,
                      QWidget* parent);
