#include "shell/coll_doc.h"

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "platform/file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/coll_saver.h"
#include "store/record_reader.h"

CCollDoc::CCollDoc() : search(&collection) {
    SetTitle("Untitled");
}

void CCollDoc::DeleteContents() {
    collection.Clear();
    currentDisk = nullptr;
    currentFolder = nullptr;
    currentFile = nullptr;
    ClearPathName();
    SetTitle("Untitled");
    SetModifiedFlag(false);
}

bool CCollDoc::OnOpenDocument(const std::string& path) {
    bool wasModified = IsModified();
    DeleteContents();
    if (!CCollLoader(collection).Load(path)) {
        SetModifiedFlag(wasModified);
        return false;
    }
    SetPathName(path);
    collection.path = path;
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

void CCollDoc::LoadSubfolders(CCollDiskFolder* folder) {
    CFile file(currentDisk->indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    reader.Seek(folder->offset);
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
