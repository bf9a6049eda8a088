// SPDX-License-Identifier: GPL-3.0-or-later
// The results as the table keeps them: paths put back together from shared folders, and the
// sort orders of the columns.

#include "search/search_result_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "search/coll_search.h"
#include "store/coll_disk_item_type.h"

namespace {

// A result as the engine makes it: `folders` are the names above the item.
CCollSearchResult Result(const std::string& title, const std::vector<std::string>& folders,
                         const std::string& name, bool folder = false, Time32 created = 0) {
    CCollSearchResult result;
    result.type = folder ? &CCollDiskItemType::folderType : &CCollDiskItemType::fileType;
    result.path = {title, folders};
    result.path.names.push_back(name);
    result.name = name;
    result.creationTime = result.modifyTime = result.accessTime = created;
    return result;
}

std::vector<std::string> Paths(const CSearchResultList& list) {
    std::vector<std::string> paths;
    for (std::size_t row = 0; row < list.GetCount(); ++row) {
        paths.push_back(list.GetPath(row));
    }
    return paths;
}

}  // namespace

TEST(SearchResultList, KeepsPathsNamesAndTimesAndSortsByEachColumn) {
    CSearchResultList list;
    list.Add(Result("Box", {}, "Zeta", true, 30));
    list.Add(Result("Box", {}, "b.txt", false, 10));
    list.Add(Result("Box", {"Zeta"}, "a.txt", false, 20));
    list.Add(Result("Box", {"Zeta"}, "B.txt", false, 10));
    // A name holding a backslash stays one name.
    list.Add(Result("Box", {"Zeta"}, "x\\y", false, 40));
    ASSERT_EQ(list.GetCount(), 5u);
    EXPECT_EQ(Paths(list),
              (std::vector<std::string>{"Box:\\Zeta", "Box:\\b.txt", "Box:\\Zeta\\a.txt",
                                        "Box:\\Zeta\\B.txt", "Box:\\Zeta\\x\\y"}));
    EXPECT_EQ(list.GetName(4), "x\\y");
    EXPECT_EQ(list.GetType(0).name, "Folder");
    EXPECT_EQ(list.GetTime(2, FieldCreation), 20);

    // Names byte by byte, capitals first.
    list.Sort(FieldName);
    EXPECT_EQ(list.GetName(0), "B.txt");
    EXPECT_EQ(list.GetName(4), "x\\y");
    // Equal times keep their arrival order, however the rows stood before.
    list.Sort(FieldCreation);
    EXPECT_EQ(Paths(list),
              (std::vector<std::string>{"Box:\\b.txt", "Box:\\Zeta\\B.txt", "Box:\\Zeta\\a.txt",
                                        "Box:\\Zeta", "Box:\\Zeta\\x\\y"}));
    EXPECT_EQ(list.ArrivalOfRow(0), 1u);
    EXPECT_EQ(list.RowOfArrival(0), 3u);
    // Files before folders.
    list.Sort(FieldType);
    EXPECT_EQ(list.GetType(3).name, "File");
    EXPECT_EQ(list.GetType(4).name, "Folder");
    // A new result arrives below the sorted ones.
    list.Add(Result("Box", {}, "A", false, 0));
    EXPECT_EQ(list.GetName(5), "A");

    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(SearchResultList, PathsSortAsTheWholeTextWhereverFolderAndNameMeet) {
    CSearchResultList list;
    // Paths whose folder part of one ends inside the name of the other, and disks whose
    // titles begin alike.
    list.Add(Result("Box", {"ab"}, "c"));       // Box:\ab\c
    list.Add(Result("Box", {}, "ab"));          // Box:\ab
    list.Add(Result("Box", {}, "ab\\b"));       // Box:\ab\b, one name
    list.Add(Result("Box", {"a"}, "b"));        // Box:\a\b
    list.Add(Result("Box", {}, "a"));           // Box:\a
    list.Add(Result("Box2", {}, "a"));          // Box2:\a
    list.Add(Result("Box", {"ab", "c"}, "d"));  // Box:\ab\c\d
    list.Sort(FieldPath);
    std::vector<std::string> expected = Paths(list);
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(expected, sorted);
    EXPECT_EQ(expected.front(), "Box2:\\a");
    EXPECT_EQ(SearchCountText(1234), "1234 results");
}

TEST(SearchResultList, EachResultLeadsBackThroughItsOwnFolders) {
    CSearchResultList list;
    // Same text, other folders: arriving one after the other they must not share a folder.
    list.Add(Result("Odd", {"a\\b"}, "y.txt"));
    list.Add(Result("Odd", {"a", "b"}, "y.txt"));
    list.Add(Result("Odd", {"a", "b"}, "z.txt"));
    list.Add(Result("Odd", {}, "back\\slash.txt"));
    list.Add(Result("Od", {"d:"}, "y.txt"));
    using Path = CCataloguePath;
    std::vector<Path> expected = {{"Odd", {"a\\b", "y.txt"}},
                                  {"Odd", {"a", "b", "y.txt"}},
                                  {"Odd", {"a", "b", "z.txt"}},
                                  {"Odd", {"back\\slash.txt"}},
                                  {"Od", {"d:", "y.txt"}}};
    list.Sort(FieldName);
    list.Sort(FieldPath);
    for (std::size_t row = 0; row < list.GetCount(); ++row) {
        Path path = list.GetCataloguePath(row);
        EXPECT_EQ(path, expected[list.ArrivalOfRow(row)]) << list.GetPath(row);
        EXPECT_EQ(path.Text(), list.GetPath(row));
    }
    EXPECT_EQ(list.GetPath(list.RowOfArrival(0)), list.GetPath(list.RowOfArrival(1)));
}

TEST(SearchResultList, TimesOutsideThirtyTwoBitsReadBackAndSortExactly) {
    CSearchResultList list;
    // Creation times: 1850, unknown, 2040, one second before 1970, the two smallest 32-bit
    // values (which a record cannot take as they are), the largest one, and 2^31.
    const std::vector<Time64> created = {-3786825600, unknownTime,   2208988800, -1,
                                         INT32_MIN,   INT32_MIN + 1, INT32_MAX,  2147483648};
    for (std::size_t i = 0; i < created.size(); ++i) {
        CCollSearchResult result = Result("Box", {}, "f" + std::to_string(i));
        result.creationTime = created[i];
        // Other fields hold other wide values, so a time read from the wrong field shows.
        result.modifyTime = created[i] == unknownTime ? 0 : created[i] - 7;
        result.accessTime = 5000000000 + static_cast<Time64>(i);
        list.Add(result);
    }
    auto check = [&] {
        for (std::size_t row = 0; row < list.GetCount(); ++row) {
            Time64 time = created[list.ArrivalOfRow(row)];
            EXPECT_EQ(list.GetTime(row, FieldCreation), time) << row;
            EXPECT_EQ(list.GetTime(row, FieldModify), time == unknownTime ? 0 : time - 7);
            EXPECT_EQ(list.GetTime(row, FieldAccess),
                      5000000000 + static_cast<Time64>(list.ArrivalOfRow(row)));
        }
    };
    check();
    list.Sort(FieldCreation);
    check();
    std::vector<Time64> shown;
    for (std::size_t row = 0; row < list.GetCount(); ++row) {
        shown.push_back(list.GetTime(row, FieldCreation));
    }
    std::vector<Time64> sorted = created;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(shown, sorted);
    EXPECT_EQ(shown.front(), unknownTime);
    list.Sort(FieldAccess);
    EXPECT_EQ(list.GetName(0), "f0");
    // A result arriving after the sort is shown below it as itself.
    list.Add(Result("Box", {}, "late", false, 1));
    EXPECT_EQ(list.ArrivalOfRow(8), 8u);
    EXPECT_EQ(list.RowOfArrival(8), 8u);
    EXPECT_EQ(list.GetTime(8, FieldCreation), 1);
}

TEST(SearchResultList, NamesKeepTheirBoundsWhereTheirTextRunsPastABlock) {
    CSearchResultList list;
    // Megabytes of names in one folder, one name longer than any block, then another folder.
    std::vector<CCataloguePath> added;
    for (int i = 0; i < 5000; ++i) {
        std::string name = std::to_string(i) + std::string(static_cast<std::size_t>(i % 700), 'n');
        if (i == 2500) {
            name.assign(3 << 20, 'L');
        }
        added.push_back({"Big", {"deep", "er"}});
        added.back().names.push_back(name);
        list.Add(Result("Big", {"deep", "er"}, name));
    }
    list.Add(Result("Big", {}, "x", true));
    added.push_back({"Big", {"x"}});
    list.Add(Result("Big", {"x"}, ""));
    added.push_back({"Big", {"x", ""}});
    ASSERT_EQ(list.GetCount(), added.size());
    list.Sort(FieldPath);
    for (std::size_t row = 0; row < list.GetCount(); ++row) {
        const CCataloguePath& expected = added[list.ArrivalOfRow(row)];
        ASSERT_EQ(list.GetName(row), expected.names.back()) << row;
        ASSERT_EQ(list.GetCataloguePath(row), expected);
        if (row > 0) {
            ASSERT_LT(list.GetPath(row - 1), list.GetPath(row));
        }
    }
    EXPECT_EQ(list.GetType(list.RowOfArrival(5000)).name, "Folder");
}

TEST(SearchResultList, BatchesAppendedReadAsTheSameResultsAddedOneByOne) {
    // Batches of odd sizes, so that records cross the blocks at other places than in the
    // batches; one folder goes on from batch to batch, names and a time may be wide or empty.
    std::vector<CCollSearchResult> all;
    for (int i = 0; i < 40000; ++i) {
        CCollSearchResult result = Result("Disk", {"F" + std::to_string(i / 7000)},
                                          i % 1000 == 0 ? "" : std::to_string(i), i % 3 == 0, i);
        if (i % 5000 == 0) {
            result.modifyTime = 5000000000 + i;
        }
        all.push_back(result);
    }
    CSearchResultList whole;
    CSearchResultList appended;
    std::size_t at = 0;
    for (std::size_t size : {1u, 17u, 32768u, 0u, 3000u, 100000u}) {
        CSearchResultList batch;
        for (std::size_t end = std::min(all.size(), at + size); at < end; ++at) {
            batch.Add(all[at]);
            whole.Add(all[at]);
        }
        if (at == 1) {
            // Rows sorted meanwhile stay sorted; the batches after them go below.
            appended.Append(std::move(batch));
            appended.Sort(FieldName);
            whole.Sort(FieldName);
            continue;
        }
        appended.Append(std::move(batch));
        EXPECT_EQ(batch.GetCount(), 0u);
    }
    ASSERT_EQ(appended.GetCount(), all.size());
    for (std::size_t row = 0; row < all.size(); ++row) {
        ASSERT_EQ(appended.GetCataloguePath(row), whole.GetCataloguePath(row)) << row;
        ASSERT_EQ(appended.GetPath(row), whole.GetPath(row)) << row;
        ASSERT_EQ(appended.GetType(row).id, whole.GetType(row).id) << row;
        ASSERT_EQ(appended.GetTime(row, FieldModify), whole.GetTime(row, FieldModify)) << row;
    }
    appended.Sort(FieldPath);
    whole.Sort(FieldPath);
    EXPECT_EQ(Paths(appended), Paths(whole));
    // The batches' room is given back: what is kept stays near what one list keeps.
    EXPECT_LT(appended.GetMemoryUsed(), whole.GetMemoryUsed() + (std::size_t{1} << 20));
}

TEST(SearchResultList, ASorterSortsTheResultsAsTheyWereWhileMoreArrive) {
    std::vector<CCollSearchResult> results;
    CSearchResultList sorted;
    for (int i = 0; i < 3000; ++i) {
        results.push_back(Result("Box", {"F" + std::to_string(i % 7)},
                                 "n" + std::to_string((i * 7919) % 3000), false, i % 13));
        sorted.Add(results.back());
    }
    for (int field : {FieldName, FieldPath, FieldCreation}) {
        CSearchResultList list;
        for (const CCollSearchResult& result : results) {
            list.Add(result);
        }
        CSearchResultList::Sorter sorter = list.MakeSorter(field);
        // More results arrive, in a batch, before the sort is taken: they stay below.
        CSearchResultList batch;
        batch.Add(Result("Box", {}, "a late one"));
        list.Append(std::move(batch));
        list.SetOrder(sorter({}));
        sorted.Sort(field);
        ASSERT_EQ(list.GetCount(), sorted.GetCount() + 1);
        for (std::size_t row = 0; row < sorted.GetCount(); ++row) {
            ASSERT_EQ(list.GetPath(row), sorted.GetPath(row)) << field << " " << row;
        }
        EXPECT_EQ(list.GetName(sorted.GetCount()), "a late one");
        // Asked to stop, a sorter gives no rows.
        int asked = 0;
        EXPECT_TRUE(list.MakeSorter(field)([&asked] { return ++asked > 0; }).empty());
        EXPECT_EQ(asked, 1);
    }
}
