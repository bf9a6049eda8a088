// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/coll_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_exception.h"
#include "search/text_lower.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/coll_loader.h"
#include "store/collection.h"
#include "support/temp_folder.h"

namespace {

class CRecorder : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override {
        lines.push_back(result.type->name + " " + result.path.Text());
        if (stopAfter > 0 && static_cast<int>(lines.size()) == stopAfter) {
            search->Stop();
        }
        if (onResult) {
            onResult();
        }
    }
    std::vector<std::string> lines;
    std::function<void()> onResult;
    CCollSearch* search = nullptr;
    int stopAfter = 0;
};

CCollDiskFolder* AddFolder(CCollDiskContent& content, const std::string& name, Time32 time = 0) {
    auto folder = std::make_unique<CCollDiskFolder>();
    folder->name = name;
    folder->creationTime = folder->modifyTime = folder->accessTime = time;
    return content.folders.Add(std::move(folder));
}

void AddFile(CCollDiskContent& content, const std::string& name, Time32 created = 0) {
    auto file = std::make_unique<CCollDiskFile>();
    file->name = name;
    file->creationTime = created;
    content.files.Add(std::move(file));
}

// Box:\Alpha\Beta\Gamma, with files at each level.
std::string WriteBox(const CTempFolder& folder, const std::string& title) {
    CCollDisk disk;
    CCollDiskFolder* alpha = AddFolder(disk.content, "Alpha");
    AddFolder(disk.content, "Trip");
    CCollDiskFolder* beta = AddFolder(alpha->content, "Beta");
    AddFolder(beta->content, "Gamma");
    AddFile(beta->content, "tricks.TXT", 2000);
    AddFile(alpha->content, "a*.txt", 1000);
    AddFile(disk.content, "trip.doc", 3000);
    AddFile(disk.content, "\xC3\x89t\xC3\xA9.jpg", 3001);  // "Été.jpg"
    std::string path = folder.Path(title + ".cdi");
    EXPECT_TRUE(disk.SaveIndexFile(path));
    return path;
}

struct SearchFixture {
    explicit SearchFixture(int disks) {
        std::string text;
        for (int i = 1; i <= disks; ++i) {
            text += WriteBox(folder, "Box" + std::to_string(i)) + "\n";
        }
        CCollLoader(collection).Load(folder.Write("all.col", text));
        recorder.search = &search;
    }
    std::vector<std::string> Run(const std::string& words, bool mapped = false) {
        recorder.lines.clear();
        criteria.words.clear();
        criteria.SetWords(words);
        criteria.useMemoryMappedFile = mapped;
        search.Run(criteria, recorder, stop);
        return recorder.lines;
    }
    CTempFolder folder;
    CCollection collection;
    CCollSearch search{&collection};
    CCollSearchCriteria criteria;
    std::function<bool()> stop;
    CRecorder recorder;
};

}  // namespace

TEST(CollSearch, WalksEachDiskBreadthFirstInBothReadingModes) {
    SearchFixture fixture(2);
    std::vector<std::string> expected;
    for (const std::string box : {"Box1", "Box2"}) {
        for (const std::string line :
             {"Folder :\\Alpha", "Folder :\\Trip", "File :\\trip.doc",
              "File :\\\xC3\x89t\xC3\xA9.jpg", "Folder :\\Alpha\\Beta", "File :\\Alpha\\a*.txt",
              "Folder :\\Alpha\\Beta\\Gamma", "File :\\Alpha\\Beta\\tricks.TXT"}) {
            std::string withTitle = line;
            withTitle.insert(withTitle.find(':'), box);
            expected.push_back(withTitle);
        }
    }
    EXPECT_EQ(fixture.Run(""), expected);
    EXPECT_EQ(fixture.Run(" \t\r\n"), expected);
    EXPECT_EQ(fixture.Run("", true), expected);
    EXPECT_FALSE(fixture.search.IsBusy());

    fixture.criteria.diskIndex = 1;
    EXPECT_EQ(fixture.Run("gamma", true),
              (std::vector<std::string>{"Folder Box2:\\Alpha\\Beta\\Gamma"}));
    fixture.criteria.diskIndex = 2;
    EXPECT_TRUE(fixture.Run("").empty());
}

TEST(CollSearch, WordsTypesCaseAndTimes) {
    SearchFixture fixture(1);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(fixture.Run("tri"), (Lines{"Folder Box1:\\Trip", "File Box1:\\trip.doc",
                                         "File Box1:\\Alpha\\Beta\\tricks.TXT"}));
    EXPECT_EQ(fixture.Run("TRIP.DOC"), (Lines{"File Box1:\\trip.doc"}));
    EXPECT_EQ(fixture.Run("\xC3\xA9T\xC3\x89"), (Lines{"File Box1:\\\xC3\x89t\xC3\xA9.jpg"}));
    EXPECT_EQ(fixture.Run("gamma doc"),
              (Lines{"File Box1:\\trip.doc", "Folder Box1:\\Alpha\\Beta\\Gamma"}));
    EXPECT_EQ(fixture.Run("*.txt"), (Lines{"File Box1:\\Alpha\\a*.txt"}));

    fixture.criteria.caseSensitive = true;
    EXPECT_TRUE(fixture.Run("TRI trip.DOC \xC3\xA9T\xC3\x89").empty());
    EXPECT_EQ(fixture.Run("Trip"), (Lines{"Folder Box1:\\Trip"}));
    fixture.criteria.caseSensitive = false;

    fixture.criteria.type = &CCollDiskItemType::fileType;
    EXPECT_EQ(fixture.Run("trip"), (Lines{"File Box1:\\trip.doc"}));
    fixture.criteria.type = nullptr;

    fixture.criteria.timeKind = CCollDiskItem::timeCreation;
    fixture.criteria.timeFrom = 1000;
    fixture.criteria.timeTo = 2000;
    EXPECT_EQ(fixture.Run(""),
              (Lines{"File Box1:\\Alpha\\a*.txt", "File Box1:\\Alpha\\Beta\\tricks.TXT"}));
    fixture.criteria.timeTo = 1999;
    EXPECT_EQ(fixture.Run(""), (Lines{"File Box1:\\Alpha\\a*.txt"}));

    CCollDiskFile file;
    file.name = "Trip";
    file.creationTime = 1999;
    EXPECT_TRUE(fixture.search.Accept(file));
    file.creationTime = 2000;
    EXPECT_FALSE(fixture.search.Accept(file));
    // A time never known matches no interval, even one reaching below 1970.
    fixture.criteria.timeFrom = -3600;
    fixture.search.SetCriteria(fixture.criteria);
    file.creationTime = unknownTime;
    EXPECT_FALSE(fixture.search.Accept(file));
    file.creationTime = -2;
    EXPECT_TRUE(fixture.search.Accept(file));
}

TEST(CollSearch, StopEndsTheRunBeforeTheNextItemAndTheNextRunStartsAgain) {
    SearchFixture fixture(4);
    // Disk 4 would fail if it were opened.
    std::filesystem::remove(fixture.collection.disks[3]->indexPath);
    fixture.recorder.stopAfter = 8 + 8 + 3;
    std::vector<std::string> lines = fixture.Run("");
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines.back(), "File Box3:\\trip.doc");
    EXPECT_FALSE(fixture.search.IsBusy());

    fixture.recorder.stopAfter = 1;
    lines = fixture.Run("");
    EXPECT_EQ(lines, (std::vector<std::string>{"Folder Box1:\\Alpha"}));

    // The stop test is asked between disks too.
    fixture.recorder.stopAfter = 0;
    fixture.stop = [] { return true; };
    EXPECT_EQ(fixture.Run("").size(), 8u);
    fixture.stop = nullptr;

    // A second search asked for while one runs (from its receiver) leaves it alone.
    CRecorder other;
    CCollSearchCriteria gamma;
    gamma.SetWords("gamma");
    gamma.diskIndex = 0;
    fixture.recorder.onResult = [&] { fixture.search.Run(gamma, other); };
    fixture.criteria.diskIndex = 0;
    EXPECT_EQ(fixture.Run("trip"),
              (std::vector<std::string>{"Folder Box1:\\Trip", "File Box1:\\trip.doc"}));
    EXPECT_TRUE(other.lines.empty());
    fixture.recorder.onResult = nullptr;
    fixture.criteria.diskIndex = -1;
    try {
        fixture.Run("nothing matches");
        ADD_FAILURE() << "the missing disk was not reported";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.GetCause(), CFileException::fileNotFound);
    }
    EXPECT_FALSE(fixture.search.IsBusy());
}

TEST(CollSearch, AStopInsideALargeFileEndsTheRunWithinAFewThousandItems) {
    CTempFolder folder;
    CCollDisk disk;
    // Enough records that the file is read in more than one piece.
    const std::size_t files = 200000;
    for (std::size_t i = 0; i < files; ++i) {
        AddFile(disk.content, "a rather long file name, number " + std::to_string(i));
    }
    std::string path = folder.Path("Big.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(path));
    ASSERT_GT(std::filesystem::file_size(path), std::size_t{5} << 20);
    std::vector<CSearchDisk> disks{{"Big", path}};
    CCollSearch search;
    CCollSearchCriteria criteria;
    for (bool mapped : {false, true}) {
        criteria.useMemoryMappedFile = mapped;
        CRecorder all;
        search.Run(criteria, disks, all);
        EXPECT_EQ(all.lines.size(), files);
        // Stopped at the first look: read, the file is left between two pieces; mapped, the
        // walk ends within its first few thousand items.
        CRecorder stopped;
        int asked = 0;
        search.Run(criteria, disks, stopped, [&asked] { return ++asked >= 1; });
        EXPECT_EQ(asked, 1);
        EXPECT_LE(stopped.lines.size(), mapped ? CCollSearch::stopCheckInterval : 0u);
        EXPECT_FALSE(search.IsBusy());
    }
}

namespace {

// The disk titles of the results, one entry per run of results from the same disk.
std::vector<std::string> DisksWalked(const std::vector<std::string>& lines) {
    std::vector<std::string> disks;
    for (const std::string& line : lines) {
        std::string title = line.substr(line.find(' ') + 1);
        title.resize(title.find(':'));
        if (disks.empty() || disks.back() != title) {
            disks.push_back(title);
        }
    }
    return disks;
}

}  // namespace

TEST(CollSearch, ARunWalksTheDisksAsTheyWereWhenItStarted) {
    SearchFixture fixture(4);
    // Titles out of order, so that sorting by title moves every disk.
    const std::vector<std::string> titles{"D", "C", "B", "A"};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        fixture.collection.disks[i]->title = titles[i];
    }
    int results = 0;
    fixture.recorder.onResult = [&] {
        if (++results == 1) {
            fixture.collection.SortDisks(FieldName);
        }
    };
    std::vector<std::string> lines = fixture.Run("");
    EXPECT_EQ(lines.size(), 4u * 8u);
    EXPECT_EQ(DisksWalked(lines), titles);
    EXPECT_EQ(fixture.collection.disks[0]->title, "A");

    // The disk after the one being walked goes, and the one being walked: both were chosen.
    std::unique_ptr<CCollDisk> removed;
    results = 0;
    fixture.recorder.onResult = [&] {
        if (++results == 1) {
            removed = fixture.collection.RemoveDisk(fixture.collection.disks[1]);
            fixture.collection.RemoveDisk(fixture.collection.disks[0]);
        }
    };
    lines = fixture.Run("");
    EXPECT_EQ(lines.size(), 4u * 8u);
    EXPECT_EQ(DisksWalked(lines), (std::vector<std::string>{"A", "B", "C", "D"}));

    // A disk chosen by its position stays the one chosen, wherever it moves.
    fixture.collection.AddDisk(std::move(removed));
    fixture.criteria.diskIndex = 2;
    results = 0;
    fixture.recorder.onResult = [&] {
        if (++results == 1) {
            fixture.collection.SortDisks(FieldName);
        }
    };
    EXPECT_EQ(DisksWalked(fixture.Run("")), (std::vector<std::string>{"B"}));

    // The collection emptied and the run stopped, as closing it does: nothing more is read.
    fixture.criteria.diskIndex = -1;
    results = 0;
    fixture.recorder.onResult = [&] {
        if (++results == 1) {
            fixture.collection.Clear();
            fixture.search.Stop();
        }
    };
    EXPECT_EQ(fixture.Run("").size(), 1u);
    EXPECT_FALSE(fixture.search.IsBusy());
}

TEST(CollSearch, DamagedIndexFilesFailAsEndOfFileInBothModes) {
    SearchFixture fixture(1);
    const std::string path = fixture.collection.disks[0]->indexPath;
    const std::string good = CTempFolder::Read(path);
    auto patched = [&good](std::size_t at, std::uint32_t value) {
        std::string copy = good;
        for (std::size_t i = 0; i < 4; ++i) {
            copy[at + i] = static_cast<char>(value >> (8 * i));
        }
        return copy;
    };
    auto expectDamaged = [&](const std::string& content, const std::string& what) {
        for (bool mapped : {false, true}) {
            fixture.folder.Write("Box1.cdi", content);
            try {
                fixture.Run("", mapped);
                ADD_FAILURE() << what << ": no error";
            } catch (const CFileException& error) {
                EXPECT_EQ(error.GetCause(), CFileException::endOfFile) << what;
                EXPECT_EQ(error.GetFileName(), path);
            }
            EXPECT_FALSE(fixture.search.IsBusy());
        }
    };
    for (std::size_t length = 0; length < good.size(); length += 7) {
        expectDamaged(good.substr(0, length), "truncated at " + std::to_string(length));
    }
    expectDamaged(patched(344, 0x7FFFFFFF), "2^31-1 folders");
    std::uint32_t alpha =
        static_cast<unsigned char>(good[348]) | static_cast<unsigned char>(good[349]) << 8;
    // Alpha's first subfolder is Alpha itself.
    expectDamaged(patched(alpha + 1 + 5 + 12 + 4, alpha), "folder inside itself");
    // Trip shares Alpha's record.
    expectDamaged(patched(352, alpha), "two folders on one record");

    fixture.folder.Write("Box1.cdi", good);
    EXPECT_EQ(fixture.Run("gamma").size(), 1u);
}

TEST(TextLower, LowersAsciiUnicodeAndOtherCodePages) {
    std::string out = "reused storage";
    LowerText("Holiday 2006.JPG", out);
    EXPECT_EQ(out, "holiday 2006.jpg");
    LowerText("\xC3\x84RGER \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCE\xA3", out);
    EXPECT_EQ(out, "\xC3\xA4rger \xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xCF\x83");
    // A lone byte is a name from the other platform's code page: \xC4 is A with diaeresis,
    // and comes out as the UTF-8 of its small letter, as a typed word would.
    LowerText("M\xC4RZ \xC3 \x8A\x9F", out);
    EXPECT_EQ(out, "m\xC3\xA4rz \xC3\xA3 \xC5\xA1\xC3\xBF");
    LowerText("", out);
    EXPECT_EQ(out, "");
}
