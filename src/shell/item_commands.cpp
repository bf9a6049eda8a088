// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/item_commands.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
#include <utility>

#include "disk/item_path.h"
#include "helpers/coll_settings.h"
#include "helpers/number_text.h"
#include "helpers/problems.h"
#include "platform/file_exception.h"
#include "platform/fs_ops.h"
#include "platform/platform_ui.h"
#include "shell/coll_doc.h"
#include "shell/disk_in_drive.h"
#include "shell/show_message.h"
#include "store/coll_disk.h"
#include "store/coll_disk_item_type.h"

namespace {

// Why first, in the words of any other file error, then what it stopped.
void AddCopyFailure(CProblems& problems, const std::string& source, const std::string& errorPath,
                    int error) {
    problems.Add(CFileException(CFileException::CauseFromErrno(error), errorPath, error));
    problems.Add("Failed copying %s", source.c_str());
}

// The path checks that need no drive, made before the user is asked for a disk.
bool HasUsablePath(const CCollItem& item) {
    std::string name;
    // A path without a title is left to the check of the disk, which says so.
    if (item.path.title.empty() || CatalogueItemName(item, name)) {
        return true;
    }
    ShowMessage("Invalid path: %s", item.path.Text().c_str());
    return false;
}

// What a copy is handed when it starts.
struct CCopyJob {
    std::string source;
    std::string target;
    bool isFile = false;
    bool removeReadOnly = false;
    CCatalogueTotals totals;
    bool known = false;
};

// How a copy ended, and what to tell the user about it. Written on the job's thread, read
// once it has ended.
struct CCopyOutcome {
    bool copied = false;
    bool cancelled = false;
    CTreeCopyProgress done;
    CProblems problems;
};

using CopyReport = std::function<bool(const CTreeCopyProgress&)>;

void CopyOneFile(const CCopyJob& copy, const CopyReport& report, CCopyOutcome& outcome) {
    CCopyOptions options{.failIfExists = true, .addOwnerWrite = copy.removeReadOnly};
    CTreeCopyProgress& done = outcome.done;
    done.current = copy.source;
    options.onBytes = [&](std::uint64_t bytes) {
        done.bytes += bytes;
        outcome.cancelled = !report(done);
        return !outcome.cancelled;
    };
    CopySide side = CopySide::source;
    outcome.copied = CopyRegularFile(copy.source, copy.target, options, &side);
    int error = errno;
    if (outcome.copied) {
        done.files = 1;
        return;
    }
    if (outcome.cancelled) {
        return;
    }
    if (error == EEXIST) {
        outcome.problems.Add("The file %s was already there", copy.target.c_str());
    } else {
        AddCopyFailure(outcome.problems, copy.source,
                       side == CopySide::source ? copy.source : copy.target, error);
    }
}

void CopyOneFolder(const CCopyJob& copy, const CopyReport& report, CCopyOutcome& outcome) {
    CTreeCopyOptions options{.clearReadOnly = copy.removeReadOnly, .skipExisting = true};
    options.onProgress = report;
    CTreeCopyResult result;
    outcome.copied = CopyTreeWithProgress(copy.source, copy.target, options, result);
    outcome.cancelled = result.cancelled;
    outcome.done = result.done;
    const std::string& source = copy.source;
    const std::string& target = copy.target;
    if (result.cancelled) {
        return;
    }
    if (!outcome.copied) {
        AddCopyFailure(outcome.problems, result.failedPath.empty() ? source : result.failedPath,
                       result.errorPath.empty() ? source : result.errorPath, result.error);
    } else if (result.done.skipped > 0 && result.done.files == 0) {
        outcome.problems.Add("The files of %s were already in %s", source.c_str(), target.c_str());
    } else if (result.done.skipped > 0) {
        outcome.problems.Add("%s files of %s were already in %s and were left as they were",
                             FormatNumber(static_cast<std::int64_t>(result.done.skipped)).c_str(),
                             source.c_str(), target.c_str());
    }
}

}  // namespace

// What the look at the drive found. Written on the job's thread, read once it has ended.
struct CItemCommands::CChecked {
    bool inDrive = false;
    std::string drivePath;
    CProblems problems;
};

struct CItemCommands::CCopied : CCopyOutcome {};

CItemCommands::CItemCommands(CCollDoc& document, const CCollSettings& collSettings)
    : doc(document), settings(collSettings) {}

CCollDisk* CItemCommands::FindDisk(const std::string& title) const {
    if (doc.currentDisk != nullptr && doc.currentDisk->title == title) {
        return doc.currentDisk;
    }
    return doc.collection.FindDiskByTitle(title);
}

void CItemCommands::OpenItem(const CCollItem& opened) {
    if (Begin(opened, false, nullptr)) {
        CheckDrive();
    }
}

void CItemCommands::CopyItem(const CCollItem& copied, CCopyProgressSink* sink) {
    if ((copied.typeId == CCollDiskItemType::fileId ||
         copied.typeId == CCollDiskItemType::folderId) &&
        Begin(copied, true, sink)) {
        CheckDrive();
    }
}

bool CItemCommands::Begin(const CCollItem& wanted, bool copy, CCopyProgressSink* sink) {
    if (running || GetPlatformUi() == nullptr) {
        return false;
    }
    running = true;
    item = wanted;
    copying = copy;
    progress = sink;
    drive = settings.GetDrive();
    if (!HasUsablePath(item)) {
        End();
        return false;
    }
    if (item.path.title.empty()) {
        ShowMessage("Missing disk title in path %s", item.path.Text().c_str());
        End();
        return false;
    }
    return true;
}

// Each look is made with the catalogue as it is then: a disk removed while the user was
// asked for it ends the command.
void CItemCommands::CheckDrive() {
    CCollDisk* disk = FindDisk(item.path.title);
    if (disk == nullptr) {
        End();
        return;
    }
    auto checked = std::make_shared<CChecked>();
    job.Start(
        [checked, header = disk->header, named = drive, wanted = item](CJobContext&) {
            std::string root = RecordedDiskRoot(header, named);
            checked->inDrive = !root.empty();
            if (checked->inDrive && !ResolveDrivePath(root, wanted, checked->drivePath)) {
                checked->problems.Add("Invalid path: %s", wanted.path.Text().c_str());
            }
        },
        [this, checked](const CProblems& thrown) { OnChecked(*checked, thrown); });
}

void CItemCommands::OnChecked(const CChecked& checked, const CProblems& thrown) {
    CPlatformUi* ui = GetPlatformUi();
    if (!thrown.IsEmpty() || ui == nullptr) {
        ShowProblems(thrown);
        End();
        return;
    }
    if (!checked.inDrive) {
        if (AskToInsertDisk(item.path.title, drive)) {
            CheckDrive();
        } else {
            End();
        }
        return;
    }
    if (!checked.problems.IsEmpty()) {
        ShowProblems(checked.problems);
        End();
        return;
    }
    if (copying) {
        ChooseTarget(checked.drivePath);
        return;
    }
    ui->SetWaitCursor(true);
    // Nothing is said when no program takes the item: the desktop tells the user itself.
    ui->OpenWithShell(checked.drivePath);
    ui->SetWaitCursor(false);
    End();
}

void CItemCommands::ChooseTarget(const std::string& source) {
    CPlatformUi& ui = *GetPlatformUi();
    std::string name;
    CFolderDialogOptions chooser;
    chooser.title = "Choose destination folder";
    std::string folder;
    if (!CatalogueItemName(item, name) || !ui.ChooseFolder(chooser, folder)) {
        End();
        return;
    }
    AddTrailingBackslash(folder);
    std::string target = folder + name;
    if (item.typeId == CCollDiskItemType::fileId) {
        ui.ShowMessage("Copy file " + source + " to " + target, CPlatformUi::Icon::information);
    } else {
        ui.ShowMessage("Copy the directory " + source + " in " + target,
                       CPlatformUi::Icon::information);
    }
    StartCopy(source, target);
}

void CItemCommands::StartCopy(const std::string& source, const std::string& target) {
    CCopyJob copy{source,
                  target,
                  item.typeId == CCollDiskItemType::fileId,
                  settings.GetRemoveReadOnly(),
                  CCatalogueTotals(),
                  false};
    if (!copy.isFile) {
        CCollDisk* disk = FindDisk(item.path.title);
        copy.known = disk != nullptr && CountCatalogueSubtree(*disk, item, copy.totals);
    }
    if (progress == nullptr) {
        GetPlatformUi()->SetWaitCursor(true);
        waitCursor = true;
    }
    // Only the calls posted to the window's thread reach the window.
    auto begin = [this](const std::string& from, const CCatalogueTotals& totals, bool known) {
        if (progress != nullptr) {
            progress->Begin(from, totals, known);
        }
    };
    auto show = [this](const CTreeCopyProgress& done) {
        if (progress != nullptr) {
            progress->Update(done);
        }
    };
    auto copied = std::make_shared<CCopied>();
    copyRunning = true;
    job.Start(
        [copied, copy, begin, show](CJobContext& context) mutable {
            if (copy.isFile) {
                std::error_code error;
                copy.totals.files = 1;
                copy.totals.bytes = std::filesystem::file_size(copy.source, error);
                copy.known = !error;
            }
            context.Post([begin, copy] { begin(copy.source, copy.totals, copy.known); });
            // Every piece looks at the stop flag; the counts go to the window in batches.
            auto report = [&context, &show](const CTreeCopyProgress& now) {
                if (context.IsTimeToReport()) {
                    context.Post([show, now] { show(now); });
                }
                return !context.IsStopRequested();
            };
            if (copy.isFile) {
                CopyOneFile(copy, report, *copied);
            } else {
                CopyOneFolder(copy, report, *copied);
            }
            if (!copied->cancelled) {
                context.Post([show, done = copied->done] { show(done); });
            }
        },
        [this, copied](const CProblems& thrown) { OnCopied(*copied, thrown); });
    if (onChanged) {
        onChanged();
    }
}

void CItemCommands::OnCopied(const CCopied& copied, const CProblems& thrown) {
    copyRunning = false;
    if (progress != nullptr) {
        progress->End();
    }
    if (waitCursor) {
        waitCursor = false;
        if (CPlatformUi* ui = GetPlatformUi()) {
            ui->SetWaitCursor(false);
        }
    }
    ShowProblems(copied.problems);
    ShowProblems(thrown);
    End();
}

void CItemCommands::Stop() {
    job.Stop();
}

void CItemCommands::Abandon() {
    job.Abandon();
    copyRunning = false;
    if (waitCursor) {
        waitCursor = false;
        if (CPlatformUi* ui = GetPlatformUi()) {
            ui->SetWaitCursor(false);
        }
    }
    running = false;
}

void CItemCommands::End() {
    running = false;
    progress = nullptr;
    if (onChanged) {
        onChanged();
    }
}
