// SPDX-License-Identifier: GPL-3.0-or-later
// The search panel's fields turned into a search: whole days in local time, a disk by its
// title, and the lists' choices.

#include "shell/search_criteria_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/collection.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace {

class CNames : public CSearchResultReceiver {
public:
    void OnSearchResult(const CCollSearchResult& result) override { names.push_back(result.name); }
    std::vector<std::string> names;
};

// 2006-12-25 00:00:00 UTC.
constexpr Time32 christmasUtc = 1167004800;

// A disk whose files were created around 25 December 2006 in the zone `offset` hours east of
// UTC: the day's first, middle and last second, and the seconds just outside it.
void AddDayDisk(const CTempFolder& folder, CCollection& collection, int offset) {
    CCollDisk disk;
    Time32 midnight = christmasUtc - offset * 3600;
    const std::pair<const char*, Time32> files[] = {
        {"before", midnight - 1},   {"first", midnight},         {"noon", midnight + 12 * 3600},
        {"last", midnight + 86399}, {"after", midnight + 86400},
    };
    for (const auto& [name, created] : files) {
        auto file = std::make_unique<CCollDiskFile>();
        file->name = name;
        file->creationTime = created;
        disk.content.files.Add(std::move(file));
    }
    std::string path = folder.Path("Day.cdi");
    ASSERT_TRUE(disk.SaveIndexFile(path));
    auto listed = std::make_unique<CCollDisk>("Day");
    listed->indexPath = path;
    collection.disks.Add(std::move(listed));
}

}  // namespace

TEST(SearchCriteriaForm, OneDayFindsEveryMomentOfThatLocalDayEastAndWestOfUtc) {
    const std::pair<const char*, int> zones[] = {{"Asia/Tokyo", 9}, {"America/New_York", -5}};
    for (const auto& [zone, offset] : zones) {
        SCOPED_TRACE(zone);
        CTimeZone inZone(zone);
        CTempFolder folder;
        CCollection collection;
        AddDayDisk(folder, collection, offset);
        CSearchForm form;
        form.timeKind = 0;
        form.from = {2006, 12, 25};
        form.to = {2006, 12, 25};
        CCollSearchCriteria criteria = MakeSearchCriteria(form, collection, false);
        EXPECT_EQ(criteria.timeFrom, christmasUtc - offset * 3600);
        EXPECT_EQ(criteria.timeTo, christmasUtc - offset * 3600 + 86399);
        CNames found;
        CCollSearch search(&collection);
        search.Run(criteria, found);
        EXPECT_EQ(found.names, (std::vector<std::string>{"first", "noon", "last"}));

        // "All time" ignores the days; an interval of days that runs backwards finds nothing.
        form.timeKind = -1;
        found.names.clear();
        search.Run(MakeSearchCriteria(form, collection, false), found);
        EXPECT_EQ(found.names.size(), 5u);
        form.timeKind = 0;
        form.from = {2006, 12, 26};
        found.names.clear();
        search.Run(MakeSearchCriteria(form, collection, false), found);
        EXPECT_TRUE(found.names.empty());
    }
}

TEST(SearchCriteriaForm, DaysOfClockChangesAndBeyondTheTimeRange) {
    CTimeZone inZone("Europe/Berlin");
    CSearchForm form;
    form.timeKind = 2;
    // The autumn change: the day has 25 hours, all of them inside the interval.
    form.from = {2006, 10, 29};
    form.to = {2006, 10, 29};
    CCollection collection;
    CCollSearchCriteria criteria = MakeSearchCriteria(form, collection, false);
    EXPECT_EQ(criteria.timeKind, 2);
    EXPECT_EQ(criteria.timeTo - criteria.timeFrom, 25 * 3600 - 1);
    // Days far beyond what 32 bits hold are searched as they are.
    form.from = {1850, 1, 1};
    form.to = {2100, 12, 31};
    criteria = MakeSearchCriteria(form, collection, false);
    EXPECT_LT(criteria.timeFrom, -3786825600 + 86400);
    EXPECT_GT(criteria.timeFrom, -3786825600 - 86400);
    EXPECT_GT(criteria.timeTo, 4133980799 - 86400);
    EXPECT_LT(criteria.timeTo, 4133980799 + 86400);
    // A day that does not exist finds nothing rather than anything.
    form.from = {2007, 2, 30};
    criteria = MakeSearchCriteria(form, collection, false);
    EXPECT_GT(criteria.timeFrom, criteria.timeTo);
}

TEST(SearchCriteriaForm, WordsTypeCaseAndDiskByTitle) {
    CCollection collection;
    for (const char* title : {"Photos", "Music", "Photos 2"}) {
        collection.disks.Add(std::make_unique<CCollDisk>(title));
    }
    EXPECT_EQ(GetDiskChoices(collection),
              (std::vector<std::string>{"All", "Photos", "Music", "Photos 2"}));
    CSearchForm form;
    form.words = " foo\tbar  ";
    form.type = &CCollDiskItemType::folderType;
    form.caseSensitive = true;
    form.diskTitle = "Music";
    CCollSearchCriteria criteria = MakeSearchCriteria(form, collection, true);
    EXPECT_EQ(criteria.words, (std::vector<std::string>{"foo", "bar"}));
    EXPECT_EQ(criteria.type, &CCollDiskItemType::folderType);
    EXPECT_TRUE(criteria.caseSensitive);
    EXPECT_TRUE(criteria.useMemoryMappedFile);
    EXPECT_EQ(criteria.diskIndex, 1);
    EXPECT_EQ(criteria.timeKind, -1);
    // "All" searches every disk; a disk taken out since the list was filled, none.
    form.diskTitle.clear();
    EXPECT_EQ(MakeSearchCriteria(form, collection, false).diskIndex, -1);
    form.diskTitle = "Gone";
    EXPECT_EQ(MakeSearchCriteria(form, collection, false).diskIndex, 3);
}
