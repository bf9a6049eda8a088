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
    // Index files wait while a search walks the disks they would go among.
    bool CanOpen(bool searchBusy) const {
        return !indexes.empty() ? !searchBusy : collections.size() == 1;
    }
    std::vector<std::string> indexes;
    std::vector<std::string> collections;
};

}  // namespace

CCollDoc::CCollDoc() : search(&collection) {
    SetTitle(untitled);
}

void CCollDoc::DeleteContents() {
    // The walk must not go on over disks that are about to go.
    if (search.IsBusy()) {
        search.Stop();
    }
    collection.Clear();
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
    StopSearch();
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
        CFileDialogOptions options = CollectionDialog(
            "Save As", path.empty() ? InitialFolder() : CFilePath(path).GetFolderPath());
        options.initialName = path.empty() ? GetTitle() + ".col" : CFilePath(path).GetFileName();
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
    return CDroppedFiles(paths).CanOpen(search.IsBusy());
}

bool CCollDoc::OpenDroppedFiles(const std::vector<std::string>& paths) {
    CDroppedFiles dropped(paths);
    if (!dropped.CanOpen(search.IsBusy())) {
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
    CCollPathSelection selection;
    std::string::size_type colon = path.find(':');
    if (colon == std::string::npos) {
        ShowMessage("Invalid path, missing the disk title");
        return selection;
    }
    std::string title = path.substr(0, colon);
    std::string rest = path.substr(colon + 1);
    std::string folderPart;
    std::string fileName;
    std::string::size_type lastSlash = rest.rfind('\\');
    if (lastSlash != std::string::npos) {
        folderPart = rest.substr(0, lastSlash + 1);
        fileName = rest.substr(lastSlash + 1);
    } else {
        fileName = rest;
    }

    CCollDisk* disk = collection.FindDiskByTitle(title);
    if (disk == nullptr) {
        ShowMessage("Disk not found");
        return selection;
    }
    MakeCurrentDisk(disk);
    SelectFolder(nullptr);
    selection.disk = disk;

    // The folder part: names after one leading backslash, each found below the one before.
    bool folderFound = false;
    if (folderPart.empty()) {
        // Nothing to select; said only by the message below.
    } else if (folderPart.back() != '\\') {
        ShowMessage("Invalid folder path");
    } else {
        CCollDiskFolder* at = nullptr;
        std::string::size_type start = folderPart[0] == '\\' ? 1 : 0;
        folderFound = true;
        while (start < folderPart.size()) {
            std::string::size_type end = folderPart.find('\\', start);
            std::string name = folderPart.substr(start, end - start);
            start = end + 1;
            if (name.empty()) {
                continue;
            }
            ExpandFolder(at);
            CCollDiskContent& content = at == nullptr ? disk->content : at->content;
            CCollDiskFolder* child = nullptr;
            for (const auto& folder : content.folders) {
                if (folder->name == name) {
                    child = folder.get();
                    break;
                }
            }
            if (child == nullptr) {
                ShowMessage("Failed finding child folder %s", name.c_str());
                folderFound = false;
                break;
            }
            selection.folders.push_back(child);
            at = child;
        }
        if (folderFound && at != nullptr) {
            SelectFolder(at);
        }
    }
    if (!folderFound) {
        selection.folders.clear();
        ShowMessage("Failed to selecting folder path %s", folderPart.c_str());
        return selection;
    }

    if (currentFolder == nullptr && fileName.empty()) {
        ShowMessage("There's no selected folder");
        return selection;
    }
    // A file in the disk's root is found among the root's files.
    CCollDiskContent& shown = currentFolder == nullptr ? disk->content : currentFolder->content;
    if (!fileName.empty()) {
        for (const auto& file : shown.files) {
            if (file->name == fileName) {
                selection.file = file.get();
                SelectFile(file.get());
                break;
            }
        }
    }
    // A file that is not there is not reported: the folder shows what there is.
    selection.complete = fileName.empty() || selection.file != nullptr;
    return selection;
}

bool CCollDoc::RunSearch(const CCollSearchCriteria& criteria, CSearchResultReceiver& receiver,
                         const std::function<void()>& pump) {
    return RunCommand([&] { search.Run(criteria, receiver, pump); });
}
