// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/frame/coll_dialog_commands.h"

#include "shell/coll_session.h"
#include "shell/guide.h"
#include "shell/ui/browse/coll_browse_panel.h"
#include "shell/ui/dialogs/coll_about_dlg.h"
#include "shell/ui/dialogs/coll_collection_dlg.h"
#include "shell/ui/dialogs/coll_disk_dlg.h"
#include "shell/ui/dialogs/coll_item_dlg.h"
#include "shell/ui/dialogs/coll_settings_dlg.h"
#include "shell/ui/dialogs/coll_totals_dlg.h"
#include "shell/ui/frame/coll_disk_commands.h"
#include "shell/ui/frame/coll_view.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"

void RunDialogCommand(CCollCommand command, CCollSession& session, CCollView& view,
                      QWidget* parent) {
    CCollDoc& doc = session.doc;
    switch (command) {
        case CCollCommand::totals: {
            CCollTotalsDlg dialog(doc.collection, parent);
            dialog.exec();
            break;
        }
        case CCollCommand::diskProperties:
            if (doc.currentDisk != nullptr) {
                CCollDiskDlg dialog(*doc.currentDisk, CCollDiskDlg::Mode::view, parent);
                dialog.exec();
                // An applied burn date shows in the disks table.
                view.GetBrowsePanel().RedrawAll();
            }
            break;
        case CCollCommand::folderProperties:
            if (doc.currentFolder != nullptr) {
                CCollItemDlg dialog(*doc.currentFolder, parent);
                dialog.exec();
            }
            break;
        case CCollCommand::fileProperties:
            if (doc.currentFile != nullptr) {
                CCollItemDlg dialog(*doc.currentFile, parent);
                dialog.exec();
            }
            break;
        case CCollCommand::collectionProperties:
            if (!doc.GetPathName().empty()) {
                CCollCollectionDlg dialog(doc, parent);
                dialog.exec();
            }
            break;
        case CCollCommand::settings: {
            CCollSettingsDlg dialog(session.settings, parent);
            // Every date shown is drawn again in the new format.
            dialog.onDateFormatChanged = [&doc] {
                doc.UpdateAllViews(nullptr, CUpdateHint::redrawAll);
            };
            dialog.exec();
            break;
        }
        case CCollCommand::about: {
            CCollAboutDlg dialog(parent);
            dialog.exec();
            break;
        }
        case CCollCommand::guide:
            ShowGuide();
            break;
        case CCollCommand::newDiskIndex:
            view.GetDriveCommands().NewDiskIndex();
            break;
        case CCollCommand::updateDiskIndex:
            view.GetDriveCommands().UpdateDiskIndex();
            break;
        default:
            break;
    }
}
