// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/coll_doc.h"

#include <algorithm>
#include <string_view>

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "helpers/recent_file_list.h"
#include "platform/ascii_text.h"
#include "platform/file.h"
#include "platform/platform_ui.h"
#include "search/export_disk_list.h"
#include "shell/command_guard.h"
#include "shell/show_message.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_disk_item_type.h"
#include "store/coll_item.h"
#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/record_reader.h"

namespace {

constexpr char untitled[] = "Untitled";

CFileDialogOptions CollectionDialog(const std::string& title, const std::string& folder) {
    CFileDialogOptions options;
    options.title = title;
    options.filterName = "Collection files";
    options.filterPattern = "*.col";
    // No default extension: a name typed without one is used as typed.
    options.initialFolder = folder;
    return options;
}

bool HasExtension(const std::string& path, std::string_view extension) {
    return EqualsIgnoringAsciiCase(CFilePath(path).GetExtension(), extension);
}

bool IsDiskIndexPath(const std::string& path) {
    return HasExtension(path, "cdi");
}

// Dropped files sorted by what they are: index files go in, else one collection opens.
struct CDroppedFiles {
    explicit CDroppedFiles(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            if (IsDiskIndexPath(path)) {
                indexes.push_back(path);
            } else if (HasExtension(path, "col")) {
                collections.push_back(path);
            }
        }
    }
    bool CanOpen() const { return !indexes.empty() || collections.size() == 1; }
    std::vector<std::string> indexes;
    std::vector<std::string> collections;
};

// What a load hands back, read by the window's thread once the work has returned.
struct CLoadResult {
    CCollection collection;
    CProblems problems;
    bool read = false;
    bool stopped = false;
};

// What an insert hands back: the disks read, in order, and whether any path went in.
struct CInsertResult {
    std::vector<std::unique_ptr<CCollDisk>> disks;
    CProblems problems;
    bool inserted = false;
};

}  // namespace

CCollDoc::CCollDoc() {
    SetTitle(untitled);
}

void CCollDoc::DeleteContents() {
    // A search of the collection that goes ends with it: nothing of it arrives any more.
    search.Abandon();
    AbandonLoads();
    collection.Clear();
    ++generation;
    currentDisk = nullptr;
    currentFolder = nullptr;
    currentFile = nullptr;
    expandedFolders.clear();
    ClearPathName();
    SetTitle(untitled);
    SetModifiedFlag(false);
}

bool CCollDoc::OnNewDocument() {
    DeleteContents();
    return true;
}

bool CCollDoc::OnOpenDocument(const std::string& path) {
    StartLoad(path, {});
    return true;
}

void CCollDoc::AbandonLoads() {
    bool wasLoading = loadJob.IsRunning();
    loadJob.Abandon();
    insertJob.Abandon();
    if (wasLoading) {
        NotifyLoad({});
    }
}

void CCollDoc::SetLoadListener(std::function<void(const CLoadProgress&)> listener) {
    loadListener = std::move(listener);
}

void CCollDoc::SetJobClock(const JobClock& clock) {
    for (CJob* job : {&loadJob, &insertJob, &exportJob}) {
        job->SetClock(clock);
    }
}

void CCollDoc::NotifyLoad(const CLoadProgress& progress) {
    if (loadListener) {
        loadListener(progress);
    }
}

bool CCollDoc::OnSaveDocument(const std::string& path) {
    if (!ReportResult(CCollSaver(collection).Save(path))) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

std::string CCollDoc::InitialFolder() const {
    if (recentFiles == nullptr || recentFiles->GetFirst().empty()) {
        return std::string();
    }
    return CFilePath(recentFiles->GetFirst()).GetFolderPath();
}

bool CCollDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr) {
        // Nobody to ask: keep the changes.
        return false;
    }
    std::string name = GetPathName().empty() ? GetTitle() : CFilePath(GetPathName()).GetFileName();
    switch (ui->AskYesNoCancel("Save changes to " + name + "?")) {
        case CPlatformUi::Answer::yes:
            return DoSave(GetPathName().empty());
        case CPlatformUi::Answer::no:
            return true;
        default:
            return false;
    }
}

bool CCollDoc::CanClose() {
    if (!SaveModified()) {
        return false;
    }
    search.Abandon();
    AbandonLoads();
    return true;
}

bool CCollDoc::DoSave(bool askForName) {
    std::string path = GetPathName();
    if (askForName) {
        CPlatformUi* ui = GetPlatformUi();
        if (ui == nullptr) {
            return false;
        }
        // A saved collection proposes itself: its own folder and name, bytes as they are.
        CFilePath saved(path);
        CFileDialogOptions options =
            CollectionDialog("Save As", path.empty() ? InitialFolder() : saved.GetFolderPath());
        options.initialName = path.empty() ? GetTitle() + ".col" : saved.GetFileName();
        options.confirmOverwrite = true;
        if (!ui->ChooseSaveFile(options, path)) {
            return false;
        }
    }
    // A failed save leaves the collection modified under its old name.
    if (!OnSaveDocument(path)) {
        return false;
    }
    SetPathName(path);
    if (recentFiles != nullptr) {
        recentFiles->Add(path);
    }
    return true;
}

bool CCollDoc::FileNew() {
    if (!SaveModified() || !OnNewDocument()) {
        return false;
    }
    UpdateAllViews(nullptr, CUpdateHint::redrawAll);
    return true;
}

bool CCollDoc::FileOpen() {
    CPlatformUi* ui = GetPlatformUi();
    std::vector<std::string> paths;
    if (ui == nullptr ||
        !ui->ChooseOpenFiles(CollectionDialog("Open collection", InitialFolder()), paths) ||
        paths.empty()) {
        return false;
    }
    return OpenCollection(paths.front());
}

bool CCollDoc::OpenCollection(const std::string& path, Finished finished) {
    if (!SaveModified()) {
        return false;
    }
    StartLoad(path, std::move(finished));
    return true;
}

void CCollDoc::StartLoad(const std::string& path, Finished finished) {
    bool wasModified = IsModified();
    DeleteContents();
    // The disks the views showed are gone while the new ones load.
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
    auto result = std::make_shared<CLoadResult>();
    auto done = [this, result, path, wasModified,
                 finished = std::move(finished)](const CProblems& thrown) {
        NotifyLoad({});
        bool opened = false;
        if (!result->stopped) {
            // In the order a reader of the file met them, then what stopped the work.
            ShowProblems(result->problems);
            ShowProblems(thrown);
            opened = result->read && thrown.IsEmpty();
        }
        if (opened) {
            // For the views, this is the collection that replaces the one before.
            ++generation;
            collection.disks = std::move(result->collection.disks);
            collection.description = std::move(result->collection.description);
            SetPathName(path);
            if (recentFiles != nullptr) {
                recentFiles->Add(path);
            }
        } else if (!result->stopped) {
            SetModifiedFlag(wasModified);
            if (recentFiles != nullptr) {
                recentFiles->Remove(path);
            }
        }
        UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
        // A load the user cancelled is no failure: the program started with it goes on.
        if (finished) {
            finished(opened || result->stopped);
        }
    };
    loadJob.Start(
        [this, result, path](CJobContext& context) {
            CCollLoader loader(result->collection);
            result->read =
                loader.Load(path, [this, &context, &result](std::size_t tried, std::size_t total) {
                    if (context.IsStopRequested()) {
                        result->stopped = true;
                        return false;
                    }
                    if (context.IsTimeToReport()) {
                        context.Post([this, tried, total] { NotifyLoad({true, tried, total}); });
                    }
                    return true;
                });
            result->problems = loader.GetProblems();
        },
        std::move(done));
    NotifyLoad({true, 0, 0});
}

bool CCollDoc::OpenRecentFile(std::size_t index) {
    if (recentFiles == nullptr || index >= recentFiles->GetEntries().size()) {
        return false;
    }
    // A copy: opening reorders the list.
    std::string path = recentFiles->GetEntries()[index];
    return OpenCollection(path);
}

bool CCollDoc::FileSave() {
    return DoSave(GetPathName().empty());
}

bool CCollDoc::FileSaveAs() {
    return DoSave(true);
}

bool CCollDoc::FileClose() {
    if (!SaveModified()) {
        return false;
    }
    DeleteContents();
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
    return true;
}

void CCollDoc::OpenAtStartup(const std::string& commandLineFile, bool openLastFile,
                             const std::string& lastFile, const Finished& finished) {
    OnNewDocument();
    if (IsDiskIndexPath(commandLineFile)) {
        // An index file opened from a file manager: shown in a new collection the user may
        // save, with its disk chosen.
        bool started = InsertDisks({commandLineFile}, [this, finished](bool inserted) {
            if (inserted && !collection.disks.empty()) {
                SelectDisk(collection.disks[0]);
            }
            finished(inserted);
        });
        if (!started) {
            finished(false);
        }
        return;
    }
    if (!commandLineFile.empty()) {
        OpenCollection(commandLineFile, finished);
        return;
    }
    if (openLastFile && !lastFile.empty()) {
        // A last file that fails is reported by the open; the program starts all the same.
        OpenCollection(lastFile);
    }
    finished(true);
}

bool CCollDoc::CanOpenDroppedFiles(const std::vector<std::string>& paths) const {
    CDroppedFiles dropped(paths);
    // Index files go in one insert at a time, and never into a collection still loading.
    if (!dropped.indexes.empty() && (IsLoading() || IsInserting())) {
        return false;
    }
    return dropped.CanOpen();
}

bool CCollDoc::OpenDroppedFiles(const std::vector<std::string>& paths) {
    CDroppedFiles dropped(paths);
    if (!CanOpenDroppedFiles(paths)) {
        return false;
    }
    if (!dropped.indexes.empty()) {
        return InsertDisks(dropped.indexes);
    }
    return OpenCollection(dropped.collections.front());
}

void CCollDoc::SetDescription(const std::string& text) {
    if (collection.description != text) {
        collection.description = text;
        SetModifiedFlag(true);
    }
}

void CCollDoc::LoadSubfolders(CCollDiskFolder* folder) {
    CFile file(currentDisk->indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    folder->LoadSubfolders(reader);
    file.Close();
}

bool CCollDoc::InsertDisks(const std::vector<std::string>& paths, Finished finished) {
    if (paths.empty() || IsLoading() || IsInserting()) {
        return false;
    }
    // The disks listed now stand for the collection: one of them counts as inserted without
    // being read, as it always has.
    std::vector<std::string> listed;
    listed.reserve(collection.disks.size());
    for (const auto& disk : collection.disks) {
        listed.push_back(disk->indexPath);
    }
    auto result = std::make_shared<CInsertResult>();
    auto work = [result, paths, listed = std::move(listed)](CJobContext& context) {
        CCollection read;
        for (const std::string& path : listed) {
            read.AddDisk(CCollDisk::OfIndexFile(path));
        }
        std::size_t first = read.disks.size();
        CCollLoader loader(read);
        for (const std::string& path : paths) {
            if (context.IsStopRequested() || !loader.InsertIndexFile(path)) {
                break;
            }
            result->inserted = true;
        }
        while (read.disks.size() > first) {
            result->disks.push_back(read.disks.RemoveAt(first));
        }
        result->problems = loader.GetProblems();
    };
    auto done = [this, result, folder = CFilePath(paths.front()).GetFolderPath(),
                 finished = std::move(finished)](const CProblems& thrown) {
        ShowProblems(result->problems);
        ShowProblems(thrown);
        bool inserted = result->inserted && thrown.IsEmpty();
        if (inserted) {
            // After whatever the list holds now: it may have been sorted or cut meanwhile.
            for (auto& disk : result->disks) {
                if (collection.FindDiskByIndexPath(disk->indexPath) == nullptr) {
                    collection.AddDisk(std::move(disk));
                }
            }
            if (CCollSettings* settings = GetSettings()) {
                settings->SetLastCdiFolder(folder);
            }
            SetModifiedFlag(true);
            UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
        }
        if (finished) {
            finished(inserted);
        }
    };
    insertJob.Start(std::move(work), std::move(done));
    return true;
}

bool CCollDoc::AskAndInsertDisks() {
    CPlatformUi* ui = GetPlatformUi();
    if (ui == nullptr) {
        return false;
    }
    CFileDialogOptions options;
    options.filterName = "CD index files";
    options.filterPattern = "*.cdi";
    options.multipleSelection = true;
    if (CCollSettings* settings = GetSettings()) {
        options.initialFolder = settings->GetLastCdiFolder();
    }
    std::vector<std::string> paths;
    if (!ui->ChooseOpenFiles(options, paths) || paths.empty()) {
        return false;
    }
    return InsertDisks(paths);
}

bool CCollDoc::ExportDiskList(std::function<void(const std::string& page)> written) {
    if (GetPathName().empty() || collection.disks.empty() || exportJob.IsRunning()) {
        return false;
    }
    auto rows = std::make_shared<std::vector<CDiskListRow>>(TakeDiskListRows(collection));
    std::string page = DiskListPagePath(GetPathName());
    auto problems = std::make_shared<CProblems>();
    exportJob.Start(
        [rows, page, problems](CJobContext&) { ExportCollectionList(*rows, page, *problems); },
        [page, problems, written = std::move(written)](const CProblems& thrown) {
            ShowProblems(*problems);
            ShowProblems(thrown);
            if (problems->IsEmpty() && thrown.IsEmpty() && written) {
                written(page);
            }
        });
    return true;
}

void CCollDoc::RemoveCurrentDisk() {
    if (currentDisk == nullptr) {
        return;
    }
    std::unique_ptr<CCollDisk> removed = collection.RemoveDisk(currentDisk);
    if (!removed) {
        return;
    }
    currentDisk = nullptr;
    currentFolder = nullptr;
    currentFile = nullptr;
    expandedFolders.clear();
    SetModifiedFlag(true);
    // The views let go of the disk here; it is destroyed after they have.
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
}

bool CCollDoc::HasDisk(const CCollDisk* disk) const {
    return std::any_of(collection.disks.begin(), collection.disks.end(),
                       [disk](const auto& listed) { return listed.get() == disk; });
}

bool CCollDoc::ReloadDisk(CCollDisk* disk) {
    if (disk == nullptr || !HasDisk(disk)) {
        return false;
    }
    bool read = ReportResult(disk->ReadHeader());
    // The tree and the files held folders of the old content: they are rebuilt from the new.
    if (disk == currentDisk) {
        read = MakeCurrentDisk(disk) && read;
    }
    // The disks table shows the new totals.
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
    return read;
}

void CCollDoc::SortDisks(int fieldId) {
    collection.SortDisks(fieldId);
}

void CCollDoc::SortFiles(int fieldId) {
    if (currentFolder != nullptr) {
        currentFolder->content.SortFiles(fieldId);
    } else if (currentDisk != nullptr) {
        currentDisk->content.SortFiles(fieldId);
    }
}

bool CCollDoc::MakeCurrentDisk(CCollDisk* disk) {
    currentDisk = disk;
    currentFolder = nullptr;
    currentFile = nullptr;
    expandedFolders.clear();
    bool read = disk == nullptr || RunCommand([disk] { disk->LoadContent(); });
    // Even after a failure the tree shows what was read.
    UpdateAllViews(nullptr, CUpdateHint::currentDiskChanged);
    return read;
}

bool CCollDoc::SelectDisk(CCollDisk* disk) {
    if (disk == currentDisk) {
        return true;
    }
    return MakeCurrentDisk(disk);
}

void CCollDoc::SelectFolder(CCollDiskFolder* folder) {
    if (currentDisk == nullptr) {
        return;
    }
    currentFolder = folder;
    // A file of the folder shown before is no longer what the files table selects.
    currentFile = nullptr;
    UpdateAllViews(nullptr, CUpdateHint::currentFolderChanged);
}

void CCollDoc::SelectFile(CCollDiskFile* file) {
    currentFile = file;
}

bool CCollDoc::ExpandFolder(CCollDiskFolder* folder) {
    if (folder == nullptr || currentDisk == nullptr || !expandedFolders.insert(folder).second) {
        return true;
    }
    // Counted as expanded even when the read fails: the folder keeps what was read.
    return RunCommand([this, folder] { LoadSubfolders(folder); });
}

CCollPathSelection CCollDoc::SelectPath(const std::string& path) {
    CCollItem item;
    if (!CCataloguePath::Parse(path, item.path)) {
        ShowMessage("Invalid path, missing the disk title");
        return {};
    }
    // Only a folder's path ends in a backslash.
    item.typeId = !path.empty() && path.back() == '\\' ? CCollDiskItemType::folderId
                                                       : CCollDiskItemType::fileId;
    return SelectPath(item);
}

CCollPathSelection CCollDoc::SelectPath(const CCollItem& item) {
    CCollPathSelection selection;
    CCollDisk* disk = collection.FindDiskByTitle(item.path.title);
    if (disk == nullptr) {
        ShowMessage("Disk not found");
        return selection;
    }
    MakeCurrentDisk(disk);
    SelectFolder(nullptr);
    selection.disk = disk;

    const std::vector<std::string>& names = item.path.names;
    bool isFile = item.typeId == CCollDiskItemType::fileId && !names.empty();
    std::size_t folderCount = isFile ? names.size() - 1 : names.size();
    // Each folder is found below the one before, by its name as the index holds it.
    CCollDiskFolder* at = nullptr;
    for (std::size_t i = 0; i < folderCount; ++i) {
        ExpandFolder(at);
        CCollDiskContent& content = at == nullptr ? disk->content : at->content;
        CCollDiskFolder* child = nullptr;
        for (const auto& folder : content.folders) {
            if (folder->name == names[i]) {
                child = folder.get();
                break;
            }
        }
        if (child == nullptr) {
            ShowMessage("Failed finding child folder %s", names[i].c_str());
            std::string folderPart = "\\";
            for (std::size_t j = 0; j < folderCount; ++j) {
                folderPart += names[j] + "\\";
            }
            ShowMessage("Failed to selecting folder path %s", folderPart.c_str());
            selection.folders.clear();
            return selection;
        }
        selection.folders.push_back(child);
        at = child;
    }
    if (at != nullptr) {
        SelectFolder(at);
    }
    if (currentFolder == nullptr && !isFile) {
        ShowMessage("There's no selected folder");
        return selection;
    }
    if (isFile) {
        // A file in the disk's root is found among the root's files.
        CCollDiskContent& shown = at == nullptr ? disk->content : at->content;
        for (const auto& file : shown.files) {
            if (file->name == names.back()) {
                selection.file = file.get();
                SelectFile(file.get());
                break;
            }
        }
    }
    // A file that is not there is not reported: the folder shows what there is.
    selection.complete = !isFile || selection.file != nullptr;
    return selection;
}

void CCollDoc::RunSearch(const CCollSearchCriteria& criteria, CSearchJob::Batch onResults,
                         std::function<void(bool succeeded)> onEnd) {
    search.Start(criteria, ChooseSearchDisks(collection, criteria.diskIndex), std::move(onResults),
                 [onEnd = std::move(onEnd)](const CProblems& problems) {
                     ShowProblems(problems);
                     if (onEnd) {
                         onEnd(problems.IsEmpty());
                     }
                 });
}
