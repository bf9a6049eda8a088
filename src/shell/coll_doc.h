// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one document: the open collection, its search engine, the browse selection
// (current disk, folder and file), the File commands with their save question and recent-file
// list, and the operations that change the disk list. The widgets only turn events into these
// calls, so every rule here is tested without a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/document.h"
#include "search/coll_search.h"
#include "shell/job.h"
#include "shell/search_job.h"
#include "store/collection.h"

class CCollDiskFolder;
class CCollDiskFile;
class CRecentFileList;
struct CCollItem;

// What "Select path" reached, for the browse panel to show: the disk, the folders from the
// top level down to the selected one (none: the disk's root) and the file.
struct CCollPathSelection {
    bool complete = false;  // every part of the path was found
    CCollDisk* disk = nullptr;
    std::vector<CCollDiskFolder*> folders;
    CCollDiskFile* file = nullptr;
};

// How far the load of a collection has gone, for the window to show.
struct CLoadProgress {
    bool loading = false;
    std::size_t tried = 0;  // disks whose index file has been read, or failed
    std::size_t total = 0;  // disks the collection file lists; 0 until it has been read
};

class CCollDoc : public CDocument {
public:
    // Told once a collection has been read, or index files inserted, whether it worked; a load
    // cancelled by the user counts as no failure.
    using Finished = std::function<void(bool done)>;

    CCollDoc();

    void DeleteContents() override;
    bool OnNewDocument() override;
    // Starts reading the collection at `path` off the window's thread: until it has been read
    // the document is an empty, untitled one (see IsLoading).
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;

    // The list the File commands keep up to date; not owned, and none until one is given.
    void SetRecentFileList(CRecentFileList* list) { recentFiles = list; }

    // The File commands. Each one that would drop a modified collection asks "Save changes
    // to %1?" first; false when the user cancelled or the command failed.
    bool FileNew();
    // Asks for a collection file, then opens it.
    bool FileOpen();
    // Opens `path` as if chosen by the user: a file that fails to open leaves the recent list.
    // False when the save question was cancelled; else the load has started, and `finished`
    // follows it.
    bool OpenCollection(const std::string& path, Finished finished = {});
    bool OpenRecentFile(std::size_t index);
    bool FileSave();
    bool FileSaveAs();
    bool FileClose();
    // The save question alone; true when the caller may drop the collection. The frame asks
    // it on exit.
    bool SaveModified();
    // Whether the program may end now: the save question, then the search is abandoned.
    bool CanClose();

    // Start-up: the collection named on the command line is the one that opens; only without
    // one does `openLastFile` open `lastFile`, the most recent collection of the previous run.
    // A disk index file named instead (".cdi", any case) goes into a new, unsaved collection.
    // `finished` is told, once that has been read (at once when nothing was named), false
    // when the named file could not be opened: the program then ends.
    void OpenAtStartup(const std::string& commandLineFile, bool openLastFile,
                       const std::string& lastFile, const Finished& finished);

    // Files dropped on the window: the index files (".cdi") among them go into this
    // collection, as Insert puts them; with none, a single collection (".col") opens in its
    // place. A running search goes on over the disks it started with. False when nothing
    // would be done.
    bool CanOpenDroppedFiles(const std::vector<std::string>& paths) const;
    bool OpenDroppedFiles(const std::vector<std::string>& paths);

    // The collection properties dialog's edit: a changed description is a change to save.
    void SetDescription(const std::string& text);

    // Inserts the index files in order, stopping at the first that cannot be read. Their
    // headers are read off the window's thread, and the disks appended after whatever the
    // list holds then. When one or more went in (one already in the collection counts),
    // remembers the first file's folder as "LastCdiFolder", marks the collection modified and
    // reloads the views. False when it cannot start (nothing given, or a load or insert is
    // running); else `finished` follows.
    bool InsertDisks(const std::vector<std::string>& paths, Finished finished = {});
    // The Insert command: asks for index files, starting in "LastCdiFolder", then inserts
    // them. False when the user cancelled.
    bool AskAndInsertDisks();

    // A collection being read, and index files being inserted. While a collection loads, the
    // commands that act on it are disabled; New, Open and Close abandon the load.
    bool IsLoading() const { return loadJob.IsRunning(); }
    bool IsInserting() const { return insertJob.IsRunning(); }
    // Cancel: the load stops, leaving an empty new collection and the recent files as they were.
    void StopLoading() { loadJob.Stop(); }
    // Runs on the window's thread when a load starts, in batches while it reads, and when it
    // has ended.
    void SetLoadListener(std::function<void(const CLoadProgress&)> listener);
    // The clock the jobs' batches follow: tests give their own.
    void SetJobClock(const JobClock& clock);
    // For tests, which run the jobs to their end.
    const CJob& GetLoadJob() const { return loadJob; }
    const CJob& GetInsertJob() const { return insertJob; }
    const CJob& GetExportJob() const { return exportJob; }

    // Export list: the disk list as it is now is written as a page next to the collection file
    // off the window's thread; `written` is handed the page's path once it is in place. False
    // when there is nothing to export (never saved, or no disk).
    bool ExportDiskList(std::function<void(const std::string& page)> written);
    // Takes the current disk out of the collection; its index file is not touched.
    void RemoveCurrentDisk();
    // Whether the collection lists `disk` now; the pointer is only compared, never followed.
    bool HasDisk(const CCollDisk* disk) const;
    // `disk`'s index file was rewritten: its header and, when current, its content are read
    // again and every view shows them. False when the header cannot be read (reported).
    bool ReloadDisk(CCollDisk* disk);
    void SortDisks(int fieldId);
    // Sorts the files shown: the current folder's, or the current disk's root files.
    void SortFiles(int fieldId);

    // The browse selection. A disk other than the current one becomes current and has its
    // content read; false when its index file could not be read (reported).
    bool SelectDisk(CCollDisk* disk);
    // Null selects the current disk's root. Ignored without a current disk.
    void SelectFolder(CCollDiskFolder* folder);
    void SelectFile(CCollDiskFile* file);
    // Reads the subfolders of `folder`'s children the first time it is expanded, so that
    // they show whether they can be expanded in turn; false when the read failed (reported).
    bool ExpandFolder(CCollDiskFolder* folder);
    // Selects the item, found by its names from the disk's top level down, reporting what it
    // cannot find.
    CCollPathSelection SelectPath(const CCollItem& item);
    // The same for a path typed as text (Title:\Folder\name, a folder's with a trailing
    // backslash), where a backslash can only stand between names.
    CCollPathSelection SelectPath(const std::string& path);

    // Starts a search off the window's thread over the disks as they are now, so that sorting,
    // removing or inserting disks meanwhile changes nothing it walks; one still running is
    // stopped and what is left of it dropped. `onResults` takes the results in batches;
    // `onEnd` follows once, after a failure has been shown (false then), or at once when the
    // collection is closed under the search.
    void RunSearch(const CCollSearchCriteria& criteria, CSearchJob::Batch onResults,
                   std::function<void(bool succeeded)> onEnd);
    // The search ends at its next item; the results found so far and its end still come.
    void StopSearch() { search.Stop(); }
    bool IsSearchBusy() const { return search.IsBusy(); }

    // Changes each time the collection is replaced (New, Open, Close), so that a view can
    // tell a collection it has not shown yet from a change to the one it shows.
    std::uint64_t GetGeneration() const { return generation; }

    CCollection collection;
    CCollDisk* currentDisk = nullptr;
    CCollDiskFolder* currentFolder = nullptr;
    CCollDiskFile* currentFile = nullptr;

private:
    // Reads one more level below `folder` of the current disk. Throws CFileException.
    void LoadSubfolders(CCollDiskFolder* folder);
    // Makes `disk` current and reads its content, whether or not it was current before.
    bool MakeCurrentDisk(CCollDisk* disk);
    bool DoSave(bool askForName);
    std::string InitialFolder() const;
    // Reads `path` into the collection off the window's thread; see OnOpenDocument.
    void StartLoad(const std::string& path, Finished finished);
    void NotifyLoad(const CLoadProgress& progress);
    // Stops what reads into the collection: it is about to be replaced or dropped.
    void AbandonLoads();

    CSearchJob search;
    std::uint64_t generation = 0;
    CRecentFileList* recentFiles = nullptr;
    // The folders of the current disk read below already: reading them again would replace
    // the folders the tree shows.
    std::set<const CCollDiskFolder*> expandedFolders;
    std::function<void(const CLoadProgress&)> loadListener;
    // Last, so that they stop before anything their calls reach goes.
    CJob loadJob;
    CJob insertJob;
    CJob exportJob;
};
