// SPDX-License-Identifier: GPL-3.0-or-later
#include "disk/item_totals.h"

#include <cstring>
#include <string>
#include <vector>

#include "disk/item_path.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_disk.h"
#include "store/coll_disk_header.h"
#include "store/coll_item.h"
#include "store/index_layout.h"
#include "store/record_reader.h"

namespace {

bool FindFolder(CRecordReader& reader, const CIndexTable& table, const std::string& name,
                CIndexTable& inside) {
    for (std::size_t i = 0; i < table.folderCount; ++i) {
        CIndexRecord record = ReadIndexRecord(reader, table, i);
        if (record.nameLength == name.size() &&
            std::memcmp(record.name, name.data(), name.size()) == 0) {
            ReadIndexTable(reader, record.next, table.EntryEnd(i), inside);
            return true;
        }
    }
    return false;
}

// A list of tables still to count instead of a call per level: trees may be deep.
void CountBelow(CRecordReader& reader, const CIndexTable& top, CCatalogueTotals& totals) {
    std::vector<CIndexTable> pending{top};
    while (!pending.empty()) {
        CIndexTable table = std::move(pending.back());
        pending.pop_back();
        for (std::size_t i = 0; i < table.Size(); ++i) {
            CIndexRecord record = ReadIndexRecord(reader, table, i);
            if (table.IsFile(i)) {
                Time64 times[3];
                std::uint64_t size = 0;
                if (!TakeFullValues(reader.Extension(), table.offsets[i], true, record.times,
                                    record.size, times, size)) {
                    reader.ThrowDamaged();
                }
                ++totals.files;
                totals.bytes += size;
            } else {
                ++totals.folders;
                CIndexTable inside;
                ReadIndexTable(reader, record.next, table.EntryEnd(i), inside);
                pending.push_back(std::move(inside));
            }
        }
    }
}

}  // namespace

bool CountCatalogueSubtree(const CCollDisk& disk, const CCollItem& item, CCatalogueTotals& totals) {
    if (disk.indexPath.empty() || !HasUsableNames(item)) {
        return false;
    }
    try {
        CFile file(disk.indexPath, CFile::Mode::read);
        CRecordReader reader(file);
        CIndexTable table;
        ReadIndexTable(reader, CCollDiskHeader::size, reader.GetLength(), table);
        for (const std::string& name : item.path.names) {
            CIndexTable inside;
            if (!FindFolder(reader, table, name, inside)) {
                return false;
            }
            table = std::move(inside);
        }
        totals = CCatalogueTotals();
        CountBelow(reader, table, totals);
        file.Close();
        return true;
    } catch (const CFileException&) {
        // Only a help for the progress display: the copy goes on without it.
        return false;
    }
}
