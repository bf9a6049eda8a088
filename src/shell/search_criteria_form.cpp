// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/search_criteria_form.h"

#include "helpers/local_time.h"
#include "store/coll_disk.h"
#include "store/coll_disk_item_type.h"
#include "store/collection.h"

const std::vector<CSearchChoice>& GetTimeChoices() {
    static const std::vector<CSearchChoice> choices = {
        {"All time", -1},
        {"Created in interval", 0},
        {"Last accessed in interval", 1},
        {"Last modified in interval", 2},
    };
    return choices;
}

std::vector<std::pair<std::string, const CCollDiskItemType*>> GetTypeChoices() {
    return {{"All", nullptr},
            {CCollDiskItemType::fileType.name, &CCollDiskItemType::fileType},
            {CCollDiskItemType::folderType.name, &CCollDiskItemType::folderType}};
}

std::vector<std::string> GetDiskChoices(const CCollection& collection) {
    std::vector<std::string> choices{"All"};
    for (std::size_t i = 0; i < collection.disks.size(); ++i) {
        choices.push_back(collection.disks[i]->title);
    }
    return choices;
}

bool FormNarrowsSearch(const CSearchForm& form) {
    return form.words.find_first_not_of(" \t\r\n") != std::string::npos ||
           !form.diskTitle.empty() || form.type != nullptr || form.timeKind != -1;
}

CCollSearchCriteria MakeSearchCriteria(const CSearchForm& form, const CCollection& collection,
                                       bool useMemoryMappedFile) {
    CCollSearchCriteria criteria;
    criteria.SetWords(form.words);
    criteria.type = form.type;
    criteria.caseSensitive = form.caseSensitive;
    criteria.useMemoryMappedFile = useMemoryMappedFile;
    if (!form.diskTitle.empty()) {
        criteria.diskIndex = static_cast<int>(collection.disks.size());
        for (std::size_t i = 0; i < collection.disks.size(); ++i) {
            if (collection.disks[i]->title == form.diskTitle) {
                criteria.diskIndex = static_cast<int>(i);
                break;
            }
        }
    }
    if (form.timeKind >= 0 && form.timeKind <= 2) {
        criteria.timeKind = form.timeKind;
        Time64 unused = 0;
        // A day that does not exist leaves an empty interval: nothing is found.
        if (!GetLocalDayBounds(form.from.year, form.from.month, form.from.day, criteria.timeFrom,
                               unused) ||
            !GetLocalDayBounds(form.to.year, form.to.month, form.to.day, unused, criteria.timeTo)) {
            criteria.timeFrom = 1;
            criteria.timeTo = 0;
        }
    }
    return criteria;
}
