// The program's one document: the open collection, its search engine, the browse selection
// (current disk, folder and file), and the operations that change the disk list.
#pragma once

#include <string>
#include <vector>

#include "platform/document.h"
#include "search/coll_search.h"
#include "store/collection.h"

class CCollDiskFolder;
class CCollDiskFile;

class CCollDoc : public CDocument {
public:
    CCollDoc();

    void DeleteContents() override;
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;

    // Reads one more level below `folder` of the current disk. Throws CFileException.
    void LoadSubfolders(CCollDiskFolder* folder);

    // Inserts the index files in order, stopping at the first that cannot be read. When one
    // or more went in (one already in the collection counts), remembers the first file's
    // folder as "LastCdiFolder", marks the collection modified and reloads the views.
    bool InsertDisks(const std::vector<std::string>& paths);
    // Takes the current disk out of the collection; its index file is not touched.
    void RemoveCurrentDisk();
    void SortDisks(int fieldId);
    // Sorts the files shown: the current folder's, or the current disk's root files.
    void SortFiles(int fieldId);

    CCollection collection;
    CCollSearch search;
    CCollDisk* currentDisk = nullptr;
    CCollDiskFolder* currentFolder = nullptr;
    CCollDiskFile* currentFile = nullptr;
};
