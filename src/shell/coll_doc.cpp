// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/coll_doc.h"

#include <string_view>

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "helpers/recent_file_list.h"
#include "helpers/show_message.h"
#include "platform/ascii_text.h"
#include "platform/file.h"
#include "platform/platform_ui.h"
#include "shell/command_guard.h"
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

}  // namespace

CCollDoc::CCollDoc() {
    SetTitle(untitled);
}

void CCollDoc::DeleteContents() {
    // A search of the collection that goes ends with it: nothing of it arrives any more.
    search.Abandon();
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
    bool wasModified = IsModified();
    DeleteContents();
    if (!CCollLoader(collection).Load(path)) {
        SetModifiedFlag(wasModified);
        // The disks the views showed are gone all the same.
        UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
        return false;
    }
    SetPathName(path);
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
    return true;
}

bool CCollDoc::OnSaveDocument(const std::string& path) {
    if (!CCollSaver(collection).Save(path)) {
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

bool CCollDoc::OpenCollection(const std::string& path) {
    if (!SaveModified()) {
        return false;
    }
    if (!OnOpenDocument(path)) {
        if (recentFiles != nullptr) {
            recentFiles->Remove(path);
        }
        return false;
    }
    if (recentFiles != nullptr) {
        recentFiles->Add(path);
    }
    return true;
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

bool CCollDoc::OpenAtStartup(const std::string& commandLineFile, bool openLastFile,
                             const std::string& lastFile) {
    OnNewDocument();
    if (IsDiskIndexPath(commandLineFile)) {
        // An index file opened from a file manager: shown in a new collection the user may
        // save, with its disk chosen.
        if (!InsertDisks({commandLineFile})) {
            return false;
        }
        SelectDisk(collection.disks[0]);
        return true;
    }
    if (!commandLineFile.empty()) {
        return OpenCollection(commandLineFile);
    }
    if (openLastFile && !lastFile.empty()) {
        // A last file that fails is reported by the open; the program starts all the same.
        OpenCollection(lastFile);
    }
    return true;
}

bool CCollDoc::CanOpenDroppedFiles(const std::vector<std::string>& paths) const {
    return CDroppedFiles(paths).CanOpen();
}

bool CCollDoc::OpenDroppedFiles(const std::vector<std::string>& paths) {
    CDroppedFiles dropped(paths);
    if (!dropped.CanOpen()) {
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

bool CCollDoc::InsertDisks(const std::vector<std::string>& paths) {
    CCollLoader loader(collection);
    bool inserted = false;
    for (const std::string& path : paths) {
        if (!loader.InsertIndexFile(path)) {
            break;
        }
        inserted = true;
    }
    if (!inserted) {
        return false;
    }
    if (CCollSettings* settings = GetSettings()) {
        settings->SetLastCdiFolder(CFilePath(paths.front()).GetFolderPath());
    }
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, CUpdateHint::reloadBrowse);
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
                     for (const std::string& text : problems.GetTexts()) {
                         ShowMessage("%s", text.c_str());
                     }
                     if (onEnd) {
                         onEnd(problems.IsEmpty());
                     }
                 });
}
