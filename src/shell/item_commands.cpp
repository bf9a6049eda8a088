// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/item_commands.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

#include "disk/item_path.h"
#include "helpers/coll_settings.h"
#include "helpers/number_text.h"
#include "helpers/show_message.h"
#include "platform/file_exception.h"
#include "platform/fs_ops.h"
#include "platform/platform_ui.h"
#include "platform/volume.h"
#include "shell/coll_doc.h"
#include "store/coll_disk.h"
#include "store/coll_disk_item_type.h"
#include "store/coll_item.h"

namespace {

// Keeps the wait cursor up for as long as it lives.
class CWaitCursor {
public:
    explicit CWaitCursor(CPlatformUi& platformUi) : ui(platformUi) { ui.SetWaitCursor(true); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor() { ui.SetWaitCursor(false); }

private:
    CPlatformUi& ui;
};

void ShowNotice(CPlatformUi& ui, const std::string& text) {
    ui.ShowMessage(text, CPlatformUi::Icon::information);
}

// Why first, in the words of any other file error, then what it stopped.
void ReportCopyFailure(const std::string& source, const std::string& errorPath, int error) {
    ReportFileException(CFileException(CFileException::CauseFromErrno(error), errorPath, error));
    ShowMessage("Failed copying %s", source.c_str());
}

}  // namespace

CItemCommands::CItemCommands(CCollDoc& document, const CCollSettings& collSettings)
    : doc(document), settings(collSettings) {}

CCollDisk* CItemCommands::FindDisk(const std::string& title) const {
    if (doc.currentDisk != nullptr && doc.currentDisk->title == title) {
        return doc.currentDisk;
    }
    return doc.collection.FindDiskByTitle(title);
}

bool CItemCommands::CheckDiskInserted(const CCataloguePath& path) {
    const std::string& title = path.title;
    if (title.empty()) {
        ShowMessage("Missing disk title in path %s", path.Text().c_str());
        return false;
    }
    CCollDisk* disk = FindDisk(title);
    CPlatformUi* ui = GetPlatformUi();
    if (disk == nullptr || ui == nullptr) {
        return false;
    }
    std::string drive = settings.GetDrive();
    std::string question = "Please insert disk named\n" + title + "\ninto drive " + drive;
    while (!disk->IsInDrive(drive)) {
        if (ui->AskOkCancel(question) != CPlatformUi::Answer::ok) {
            return false;
        }
    }
    return true;
}

bool CItemCommands::CheckNames(const CCollItem& item) {
    std::string name;
    // A path without a title is left to CheckDiskInserted, which says so.
    if (item.path.title.empty()) {
        return true;
    }
    if (!CatalogueItemName(item, name)) {
        ShowMessage("Invalid path: %s", item.path.Text().c_str());
        return false;
    }
    return true;
}

bool CItemCommands::ResolvePath(const CCollItem& item, std::string& drivePath) {
    std::string root = ResolveDriveRoot(settings.GetDrive());
    if (root.empty()) {
        ShowMessage("Failed opening folder %s", settings.GetDrive().c_str());
        return false;
    }
    if (!ResolveDrivePath(root, item, drivePath)) {
        ShowMessage("Invalid path: %s", item.path.Text().c_str());
        return false;
    }
    return true;
}

void CItemCommands::OpenItem(const CCollItem& item) {
    CPlatformUi* ui = GetPlatformUi();
    std::string drivePath;
    if (ui == nullptr || !CheckNames(item) || !CheckDiskInserted(item.path) ||
        !ResolvePath(item, drivePath)) {
        return;
    }
    CWaitCursor wait(*ui);
    // Nothing is said when no program takes the item: the desktop tells the user itself.
    ui->OpenWithShell(drivePath);
}

void CItemCommands::CopyItem(const CCollItem& item, CCopyProgressSink* progress) {
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr ||
        (item.typeId != CCollDiskItemType::fileId && item.typeId != CCollDiskItemType::folderId)) {
        return;
    }
    std::string source;
    std::string name;
    if (!CheckNames(item) || !CheckDiskInserted(item.path) || !ResolvePath(item, source) ||
        !CatalogueItemName(item, name)) {
        return;
    }
    CFolderDialogOptions chooser;
    chooser.title = "Choose destination folder";
    std::string folder;
    if (!ui->ChooseFolder(chooser, folder)) {
        return;
    }
    AddTrailingBackslash(folder);
    std::string target = folder + name;
    if (item.typeId == CCollDiskItemType::fileId) {
        ShowNotice(*ui, "Copy file " + source + " to " + target);
        CopyFile(source, target, progress);
    } else {
        ShowNotice(*ui, "Copy the directory " + source + " in " + target);
        CopyFolder(item, source, target, progress);
    }
}

void CItemCommands::CopyFile(const std::string& source, const std::string& target,
                             CCopyProgressSink* progress) {
    CCopyOptions options{.failIfExists = true, .addOwnerWrite = settings.GetRemoveReadOnly()};
    CTreeCopyProgress done;
    done.current = source;
    bool cancelled = false;
    std::unique_ptr<CWaitCursor> wait;
    if (progress != nullptr) {
        std::error_code error;
        CCatalogueTotals totals;
        totals.files = 1;
        totals.bytes = std::filesystem::file_size(source, error);
        progress->Begin(source, totals, !error);
        options.onBytes = [&](std::uint64_t bytes) {
            done.bytes += bytes;
            cancelled = !progress->Update(done);
            return !cancelled;
        };
    } else {
        wait = std::make_unique<CWaitCursor>(*GetPlatformUi());
    }
    CopySide side = CopySide::source;
    bool copied = CopyRegularFile(source, target, options, &side);
    int error = errno;
    if (progress != nullptr) {
        progress->End();
    }
    wait.reset();
    if (copied || cancelled) {
        return;
    }
    if (error == EEXIST) {
        ShowMessage("The file %s was already there", target.c_str());
    } else {
        ReportCopyFailure(source, side == CopySide::source ? source : target, error);
    }
}

void CItemCommands::CopyFolder(const CCollItem& item, const std::string& source,
                               const std::string& target, CCopyProgressSink* progress) {
    CTreeCopyOptions options{.clearReadOnly = settings.GetRemoveReadOnly(), .skipExisting = true};
    std::unique_ptr<CWaitCursor> wait;
    if (progress != nullptr) {
        CCatalogueTotals totals;
        CCollDisk* disk = FindDisk(item.path.title);
        bool known = disk != nullptr && CountCatalogueSubtree(*disk, item, totals);
        progress->Begin(source, totals, known);
        options.onProgress = [progress](const CTreeCopyProgress& done) {
            return progress->Update(done);
        };
    } else {
        wait = std::make_unique<CWaitCursor>(*GetPlatformUi());
    }
    CTreeCopyResult result;
    bool copied = CopyTreeWithProgress(source, target, options, result);
    if (progress != nullptr) {
        progress->End();
    }
    wait.reset();
    if (result.cancelled) {
        return;
    }
    if (!copied) {
        ReportCopyFailure(result.failedPath.empty() ? source : result.failedPath,
                          result.errorPath.empty() ? source : result.errorPath, result.error);
        return;
    }
    if (result.done.skipped > 0 && result.done.files == 0) {
        ShowMessage("The files of %s were already in %s", source.c_str(), target.c_str());
    } else if (result.done.skipped > 0) {
        ShowMessage("%s files of %s were already in %s and were left as they were",
                    FormatNumber(static_cast<std::int64_t>(result.done.skipped)).c_str(),
                    source.c_str(), target.c_str());
    }
}
