// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/property_texts.h"

#include <ctime>

#include "helpers/number_text.h"
#include "platform/file_times.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_item.h"
#include "store/collection.h"

std::string FormatLocalTime(std::int64_t time) {
    std::time_t when = static_cast<std::time_t>(time);
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) {
        return std::string();
    }
    // strftime gives 0 both for a buffer too small and for an empty result, so the buffer
    // grows a few times before an empty text is believed.
    std::string text(64, '\0');
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::size_t length = std::strftime(text.data(), text.size(), "%c", &local);
        if (length > 0) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 4);
    }
    return std::string();
}

std::string FormatItemTime(Time64 time) {
    return time == CCollDiskItem::unknownTime ? std::string() : FormatLocalTime(time);
}

CCollTotalsTexts GetTotalsTexts(const CCollection& collection) {
    CCollTotals totals;
    collection.GetTotals(totals);
    return {FormatNumber(totals.disks), FormatNumber(totals.folders), FormatNumber(totals.files),
            FormatByteCount(totals.bytes)};
}

CCollItemTexts GetItemTexts(const CCollDiskItem& item) {
    CCollItemTexts texts;
    texts.heading = item.type->name;
    texts.caption = texts.heading + " properties";
    texts.name = item.name;
    texts.created = FormatItemTime(item.creationTime);
    texts.accessed = FormatItemTime(item.accessTime);
    texts.modified = FormatItemTime(item.modifyTime);
    if (!item.IsFolder()) {
        texts.size = FormatByteCount(static_cast<const CCollDiskFile&>(item).size);
        texts.hasSize = true;
    }
    return texts;
}

CCollCollectionTexts GetCollectionTexts(const CCollection& collection, const std::string& path) {
    CCollCollectionTexts texts;
    texts.file = path;
    CFileTimes times;
    if (!path.empty() && GetFileTimes(path, times)) {
        texts.creation = FormatLocalTime(times.creation);
        texts.modified = FormatLocalTime(times.modification);
    }
    texts.disks = std::to_string(static_cast<std::int32_t>(collection.disks.size()));
    return texts;
}
