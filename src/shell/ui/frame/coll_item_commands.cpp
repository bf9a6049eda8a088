// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_item_commands.h"

#include "shell/coll_session.h"
#include "shell/item_commands.h"
#include "shell/ui/dialogs/copy_progress_dlg.h"
#include "store/coll_item.h"

void OpenCatalogueItem(CCollSession& session, const CCollItem& item, QWidget* /*parent*/) {
    CItemCommands(session.doc, session.settings).OpenItem(item);
}

void CopyCatalogueItem(CCollSession& session, const CCollItem& item, QWidget* parent) {
    CCopyProgressDlg progress(parent);
    CItemCommands(session.doc, session.settings).CopyItem(item, &progress);
}
