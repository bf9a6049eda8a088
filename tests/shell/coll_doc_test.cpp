// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/coll_doc.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "helpers/coll_settings.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "support/doc_jobs.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

class CHintRecorder : public CView {
public:
    void OnUpdate(CView* /*sender*/, CUpdateHint hint, const CCollItem* /*item*/) override {
        hints.push_back(hint);
    }
    std::vector<CUpdateHint> hints;
};

std::string WriteDisk(const CTempFolder& folder, const std::string& relative, int depth = 0) {
    CCollDisk disk;
    CCollDiskContent* content = &disk.content;
    for (int level = 0; level < depth; ++level) {
        auto sub = std::make_unique<CCollDiskFolder>();
        sub->name = "Level" + std::to_string(level);
        auto file = std::make_unique<CCollDiskFile>();
        file->name = "file" + std::to_string(level);
        content->files.Add(std::move(file));
        content = &content->folders.Add(std::move(sub))->content;
    }
    std::string path = folder.Path(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

using Hints = std::vector<CUpdateHint>;

struct DocFixture {
    DocFixture() { doc.AddView(&view); }
    ~DocFixture() { doc.RemoveView(&view); }
    CTempFolder folder;
    CCollSettings settings;
    CJobQueue queue;
    CCollDoc doc;
    CHintRecorder view;
    CMessageRecorder messages;
};

}  // namespace

TEST(CollDoc, InsertStopsAtTheFirstFailureAndMarksTheCollection) {
    DocFixture f;
    std::string a = WriteDisk(f.folder, "Index/A.cdi");
    std::string b = f.folder.Write("Index/B.cdi", "damaged");
    std::string c = WriteDisk(f.folder, "Index/C.cdi");

    EXPECT_FALSE(InsertToEnd(f.queue, f.doc, {b, a}));
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_TRUE(f.view.hints.empty());
    EXPECT_EQ(f.settings.GetLastCdiFolder(), "");

    EXPECT_TRUE(InsertToEnd(f.queue, f.doc, {a, b, c}));
    ASSERT_EQ(f.doc.collection.disks.size(), 1u);
    EXPECT_EQ(f.doc.collection.disks[0]->title, "A");
    EXPECT_EQ(f.messages.messages.back(), "Failed loading disk " + b);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.view.hints, Hints{CUpdateHint::reloadBrowse});
    EXPECT_EQ(f.settings.GetLastCdiFolder(), f.folder.Path("Index/"));

    // A file already in the collection adds nothing but still counts.
    f.doc.SetModifiedFlag(false);
    EXPECT_TRUE(InsertToEnd(f.queue, f.doc, {a, c}));
    EXPECT_EQ(f.doc.collection.disks.size(), 2u);
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(CollDoc, OpenSaveRemoveAndClose) {
    DocFixture f;
    std::string a = WriteDisk(f.folder, "Index/A.cdi");
    std::string b = WriteDisk(f.folder, "Index/B.cdi");
    ASSERT_TRUE(InsertToEnd(f.queue, f.doc, {a, b}));
    std::string colPath = f.folder.Path("Lists/Music.col");
    std::filesystem::create_directories(f.folder.Path("Lists"));
    ASSERT_TRUE(f.doc.OnSaveDocument(colPath));
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(CTempFolder::Read(colPath), "..\\Index\\A.cdi\r\n..\\Index\\B.cdi\r\n");

    f.view.hints.clear();
    ASSERT_TRUE(f.doc.OnOpenDocument(colPath));
    FinishDocJobs(f.queue, f.doc);
    EXPECT_EQ(f.doc.GetTitle(), "Music.col");
    EXPECT_EQ(f.doc.GetPathName(), colPath);
    // Once when the old disks go, once when the new ones have been read.
    EXPECT_EQ(f.view.hints, (Hints{CUpdateHint::reloadBrowse, CUpdateHint::reloadBrowse}));
    ASSERT_EQ(f.doc.collection.disks.size(), 2u);

    f.doc.currentDisk = f.doc.collection.disks[0];
    f.doc.RemoveCurrentDisk();
    EXPECT_EQ(f.doc.currentDisk, nullptr);
    EXPECT_TRUE(f.doc.IsModified());
    ASSERT_EQ(f.doc.collection.disks.size(), 1u);
    EXPECT_EQ(f.doc.collection.disks[0]->title, "B");
    f.doc.RemoveCurrentDisk();
    EXPECT_EQ(f.doc.collection.disks.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(a));

    f.doc.SetModifiedFlag(true);
    f.view.hints.clear();
    ASSERT_TRUE(f.doc.OnOpenDocument(f.folder.Path("missing.col")));
    FinishDocJobs(f.queue, f.doc);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    EXPECT_EQ(f.doc.GetPathName(), "");
    EXPECT_TRUE(f.doc.collection.disks.empty());
    // The disks the views showed are gone: they are told even though the open failed.
    EXPECT_EQ(f.view.hints, (Hints{CUpdateHint::reloadBrowse, CUpdateHint::reloadBrowse}));
}

TEST(CollDoc, ExpandingReadsOneLevelAndReportsAMissingIndexFile) {
    DocFixture f;
    std::string deep = WriteDisk(f.folder, "Deep.cdi", 4);
    ASSERT_TRUE(InsertToEnd(f.queue, f.doc, {deep}));
    CCollDisk* disk = f.doc.collection.disks[0];
    ASSERT_TRUE(f.doc.SelectDisk(disk));
    CCollDiskFolder* level0 = disk->content.folders[0];
    CCollDiskFolder* level1 = level0->content.folders[0];
    EXPECT_TRUE(level1->content.IsEmpty());
    EXPECT_TRUE(f.doc.ExpandFolder(level0));
    ASSERT_EQ(level1->content.folders.size(), 1u);
    EXPECT_EQ(level1->content.files[0]->name, "file2");
    EXPECT_TRUE(level1->content.folders[0]->content.IsEmpty());

    std::filesystem::remove(deep);
    CCollDiskFolder* level2 = level1->content.folders[0];
    EXPECT_FALSE(f.doc.ExpandFolder(level1));
    EXPECT_EQ(f.messages.messages.back(), deep + " was not found.");
    EXPECT_TRUE(level2->content.IsEmpty());
    // Expanded once is enough: the tree keeps what it showed.
    f.messages.messages.clear();
    EXPECT_TRUE(f.doc.ExpandFolder(level1));
    EXPECT_TRUE(f.messages.messages.empty());

    f.doc.currentFolder = level1;
    f.doc.DeleteContents();
    EXPECT_EQ(f.doc.currentDisk, nullptr);
    EXPECT_EQ(f.doc.currentFolder, nullptr);
    EXPECT_TRUE(f.doc.collection.disks.empty());
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
}

namespace {

// One search of the document, its batches and its end as the window's thread receives them.
struct CSearchRun {
    CSearchRun(CCollDoc& doc, const CCollSearchCriteria& criteria) {
        doc.RunSearch(
            criteria,
            [this](CSearchResultList&& batch) {
                ++batches;
                results.Append(std::move(batch));
            },
            [this](bool succeeded) {
                ++ends;
                this->succeeded = succeeded;
            });
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (std::size_t row = 0; row < results.GetCount(); ++row) {
            paths.push_back(results.GetPath(row));
        }
        return paths;
    }
    CSearchResultList results;
    int batches = 0;
    int ends = 0;
    bool succeeded = false;
};

}  // namespace

TEST(CollDoc, ASearchKeepsToItsDisksWhileTheyAreSortedRemovedOrClosed) {
    DocFixture f;
    ASSERT_TRUE(InsertToEnd(f.queue, f.doc,
                            {WriteDisk(f.folder, "B.cdi", 3), WriteDisk(f.folder, "A.cdi", 3)}));
    CCollSearchCriteria everything;
    CSearchRun whole(f.doc, everything);
    ASSERT_TRUE(f.queue.RunUntil([&] { return whole.ends == 1; }));
    const std::vector<std::string> expected = whole.Paths();
    ASSERT_EQ(expected.size(), 12u);
    EXPECT_EQ(expected.front(), "B:\\Level0");
    EXPECT_TRUE(whole.succeeded);

    // Sorted (A first) and then A removed and freed while the search runs: it walks B, A.
    CSearchRun sorted(f.doc, everything);
    EXPECT_TRUE(f.doc.IsSearchBusy());
    f.doc.SortDisks(FieldName);
    ASSERT_EQ(f.doc.collection.disks[0]->title, "A");
    f.doc.SelectDisk(f.doc.collection.disks[0]);
    f.doc.RemoveCurrentDisk();
    ASSERT_EQ(f.doc.collection.disks.size(), 1u);
    ASSERT_TRUE(f.queue.RunUntil([&] { return sorted.ends == 1; }));
    EXPECT_EQ(sorted.Paths(), expected);
    EXPECT_FALSE(f.doc.IsSearchBusy());

    // Closed while it runs: its end comes at once, and nothing of it after.
    f.doc.SetModifiedFlag(false);
    CSearchRun closed(f.doc, everything);
    int batchesBeforeClose = closed.batches;
    ASSERT_TRUE(f.doc.FileClose());
    EXPECT_EQ(closed.ends, 1);
    EXPECT_FALSE(f.doc.IsSearchBusy());
    f.queue.RunPending();
    EXPECT_EQ(closed.batches, batchesBeforeClose);
    EXPECT_EQ(closed.ends, 1);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(CollDoc, ASearchShowsTheErrorOfAnIndexFileOnceAfterWhatWasFoundBeforeIt) {
    DocFixture f;
    std::string b = WriteDisk(f.folder, "B.cdi", 3);
    ASSERT_TRUE(InsertToEnd(f.queue, f.doc, {WriteDisk(f.folder, "A.cdi", 3), b}));
    std::filesystem::remove(b);
    CSearchRun failed(f.doc, CCollSearchCriteria());
    ASSERT_TRUE(f.queue.RunUntil([&] { return failed.ends == 1; }));
    EXPECT_FALSE(failed.succeeded);
    EXPECT_EQ(failed.results.GetCount(), 6u);
    EXPECT_EQ(f.messages.messages, (std::vector<std::string>{b + " was not found."}));
    f.queue.RunPending();
    EXPECT_EQ(failed.ends, 1);
}

TEST(CollDoc, AnIndexFileCutShortShowsWhatLiesBeforeTheCutAfterTheMessage) {
    // The sound disk of the corpus: A holds B (holding c.txt) and d.txt; e.txt is in the root.
    struct CCase {
        std::string file;
        std::vector<std::string> inA;  // A's folders and files
    };
    const std::string corpus = std::string(TAMBLOR_SOURCE_DIR) + "/tests/data/damaged/";
    for (const CCase& cut : {CCase{"damaged-truncated-after-folder.cdi", {}},
                             CCase{"damaged-truncated-before-last-file.cdi", {"B", "d.txt"}}}) {
        SCOPED_TRACE(cut.file);
        DocFixture f;
        std::string path = corpus + cut.file;
        ASSERT_TRUE(InsertToEnd(f.queue, f.doc, {path}));
        CCollDisk* disk = f.doc.collection.disks[0];
        f.view.hints.clear();
        EXPECT_FALSE(f.doc.SelectDisk(disk));
        ASSERT_EQ(f.messages.messages.size(), 1u);
        EXPECT_EQ(f.messages.messages[0],
                  "An attempt was made to access " + path + " past its end.");
        EXPECT_EQ(f.view.hints, Hints{CUpdateHint::currentDiskChanged});
        ASSERT_EQ(disk->content.folders.size(), 1u);
        EXPECT_TRUE(disk->content.files.empty());
        const CCollDiskContent& a = disk->content.folders[0]->content;
        EXPECT_EQ(disk->content.folders[0]->name, "A");
        std::vector<std::string> inA;
        for (const auto& folder : a.folders) {
            inA.push_back(folder->name);
        }
        for (const auto& file : a.files) {
            inA.push_back(file->name);
        }
        EXPECT_EQ(inA, cut.inA);
        if (!a.folders.empty()) {
            // B's record lies before the cut, and so does its file.
            f.messages.messages.clear();
            EXPECT_TRUE(f.doc.ExpandFolder(disk->content.folders[0]));
            EXPECT_TRUE(f.messages.messages.empty());
            ASSERT_EQ(a.folders[0]->content.files.size(), 1u);
            EXPECT_EQ(a.folders[0]->content.files[0]->name, "c.txt");
        }
    }
}
