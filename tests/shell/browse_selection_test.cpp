// SPDX-License-Identifier: GPL-3.0-or-later
// The browse panel's selection rules and "Select path", run on the document alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "helpers/coll_settings.h"
#include "shell/coll_doc.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "support/doc_jobs.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

class CHints : public CView {
public:
    void OnUpdate(CView* /*sender*/, CUpdateHint hint, const CCollItem* /*item*/) override {
        hints.push_back(hint);
    }
    std::vector<CUpdateHint> hints;
};

using Hints = std::vector<CUpdateHint>;
using Messages = std::vector<std::string>;

CCollDiskFolder* AddFolder(CCollDiskContent& content, const std::string& name) {
    auto folder = std::make_unique<CCollDiskFolder>();
    folder->name = name;
    return content.folders.Add(std::move(folder));
}

void AddFile(CCollDiskContent& content, const std::string& name) {
    auto file = std::make_unique<CCollDiskFile>();
    file->name = name;
    content.files.Add(std::move(file));
}

// Box:\Alpha\Beta\Gamma with Box:\Alpha\Beta\deep.doc, and two files in the root.
struct SelectionFixture {
    SelectionFixture() {
        CCollDisk disk;
        CCollDiskFolder* alpha = AddFolder(disk.content, "Alpha");
        CCollDiskFolder* beta = AddFolder(alpha->content, "Beta");
        AddFolder(beta->content, "Gamma");
        AddFile(beta->content, "deep.doc");
        AddFile(disk.content, "read me.txt");
        AddFile(disk.content, "Notes");
        std::string box = folder.Path("Box.cdi");
        EXPECT_TRUE(disk.SaveIndexFile(box));
        EXPECT_TRUE(CCollDisk().SaveIndexFile(folder.Path("Empty.cdi")));
        CJobQueue queue;
        EXPECT_TRUE(InsertToEnd(queue, doc, {box, folder.Path("Empty.cdi")}));
        doc.AddView(&view);
    }
    ~SelectionFixture() { doc.RemoveView(&view); }
    // What was selected, as the panel would show it.
    std::string Selected() const {
        std::string text = doc.currentDisk == nullptr ? "-" : doc.currentDisk->title;
        text +=
            "|" + (doc.currentFolder == nullptr ? std::string("root") : doc.currentFolder->name);
        text += "|" + (doc.currentFile == nullptr ? std::string() : doc.currentFile->name);
        return text;
    }
    CTempFolder folder;
    CCollSettings settings;
    CCollDoc doc;
    CHints view;
    CMessageRecorder messages;
};

}  // namespace

TEST(BrowseSelection, DiskFolderAndFileFollowTheirRules) {
    SelectionFixture f;
    CCollDisk* box = f.doc.collection.disks[0];
    ASSERT_TRUE(f.doc.SelectDisk(box));
    EXPECT_EQ(f.view.hints, Hints{CUpdateHint::currentDiskChanged});
    ASSERT_EQ(box->content.folders.size(), 1u);
    CCollDiskFolder* alpha = box->content.folders[0];
    EXPECT_EQ(alpha->name, "Alpha");

    // Clicking the current disk again changes nothing, and keeps the folders the tree shows.
    f.view.hints.clear();
    EXPECT_TRUE(f.doc.SelectDisk(box));
    EXPECT_TRUE(f.view.hints.empty());
    EXPECT_EQ(box->content.folders[0], alpha);

    // Expanding reads the children's subfolders once.
    CCollDiskFolder* beta = alpha->content.folders[0];
    EXPECT_TRUE(beta->content.IsEmpty());
    EXPECT_TRUE(f.doc.ExpandFolder(alpha));
    ASSERT_EQ(beta->content.folders.size(), 1u);
    CCollDiskFolder* gamma = beta->content.folders[0];
    EXPECT_TRUE(f.doc.ExpandFolder(alpha));
    EXPECT_EQ(beta->content.folders[0], gamma);

    f.doc.SelectFolder(beta);
    EXPECT_EQ(f.view.hints, Hints{CUpdateHint::currentFolderChanged});
    f.doc.SelectFile(beta->content.files[0]);
    EXPECT_EQ(f.Selected(), "Box|Beta|deep.doc");
    // Another folder leaves no file selected; the root is no folder.
    f.doc.SelectFolder(nullptr);
    EXPECT_EQ(f.Selected(), "Box|root|");

    // A disk whose index file is gone is reported and still becomes current.
    CCollDisk* empty = f.doc.collection.disks[1];
    std::filesystem::remove(empty->indexPath);
    f.view.hints.clear();
    EXPECT_FALSE(f.doc.SelectDisk(empty));
    EXPECT_EQ(f.messages.messages, Messages{empty->indexPath + " was not found."});
    EXPECT_EQ(f.view.hints, Hints{CUpdateHint::currentDiskChanged});
    EXPECT_EQ(f.Selected(), "Empty|root|");

    // Without a disk a folder selection is ignored.
    f.doc.RemoveCurrentDisk();
    f.view.hints.clear();
    f.doc.SelectFolder(alpha);
    EXPECT_TRUE(f.view.hints.empty());
    EXPECT_EQ(f.doc.currentFolder, nullptr);
}

TEST(BrowseSelection, SelectPathFindsFoldersAndFilesAndRootFiles) {
    SelectionFixture f;
    CCollPathSelection found = f.doc.SelectPath("Box:\\Alpha\\Beta\\");
    EXPECT_TRUE(found.complete);
    ASSERT_EQ(found.folders.size(), 2u);
    EXPECT_EQ(found.folders[1]->name, "Beta");
    EXPECT_EQ(f.Selected(), "Box|Beta|");
    EXPECT_EQ(f.view.hints,
              (Hints{CUpdateHint::currentDiskChanged, CUpdateHint::currentFolderChanged,
                     CUpdateHint::currentFolderChanged}));
    // The folders on the way were expanded: Gamma's name was read.
    EXPECT_EQ(found.folders[1]->content.folders[0]->name, "Gamma");

    found = f.doc.SelectPath("Box:\\Alpha\\Beta\\deep.doc");
    EXPECT_TRUE(found.complete);
    EXPECT_EQ(found.file, f.doc.currentFile);
    EXPECT_EQ(f.Selected(), "Box|Beta|deep.doc");

    // A file in the root, with one backslash or two.
    for (const std::string path : {"Box:\\read me.txt", "Box:\\\\read me.txt", "Box:read me.txt"}) {
        found = f.doc.SelectPath(path);
        EXPECT_TRUE(found.complete) << path;
        EXPECT_TRUE(found.folders.empty());
        EXPECT_EQ(f.Selected(), "Box|root|read me.txt") << path;
    }
    // A file that is not there is not reported; the folder stays selected.
    found = f.doc.SelectPath("Box:\\Alpha\\Beta\\gone.doc");
    EXPECT_FALSE(found.complete);
    EXPECT_EQ(f.Selected(), "Box|Beta|");
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(BrowseSelection, SelectPathReportsWhatItCannotFind) {
    SelectionFixture f;
    auto messagesOf = [&f](const std::string& path) {
        f.messages.messages.clear();
        EXPECT_FALSE(f.doc.SelectPath(path).complete) << path;
        return f.messages.messages;
    };
    EXPECT_EQ(messagesOf("Box\\Alpha"), Messages{"Invalid path, missing the disk title"});
    EXPECT_EQ(messagesOf("Crate:\\Alpha\\"), Messages{"Disk not found"});
    // Titles and names are matched with their case.
    EXPECT_EQ(messagesOf("box:\\Alpha\\"), Messages{"Disk not found"});
    EXPECT_EQ(messagesOf("Box:\\alpha\\Beta\\"),
              (Messages{"Failed finding child folder alpha",
                        "Failed to selecting folder path \\alpha\\Beta\\"}));
    EXPECT_EQ(f.Selected(), "Box|root|");
    EXPECT_EQ(messagesOf("Box:\\Alpha\\Gamma\\x.doc"),
              (Messages{"Failed finding child folder Gamma",
                        "Failed to selecting folder path \\Alpha\\Gamma\\"}));
    EXPECT_EQ(messagesOf("Box:\\"), Messages{"There's no selected folder"});
    EXPECT_EQ(f.Selected(), "Box|root|");

    f.doc.SetModifiedFlag(false);
    ASSERT_TRUE(f.doc.FileClose());
    EXPECT_EQ(messagesOf("Box:\\Alpha\\"), Messages{"Disk not found"});
}
