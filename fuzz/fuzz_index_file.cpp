// SPDX-License-Identifier: GPL-3.0-or-later
// An index file from the input: the header, the root level, every folder below it as
// browsing would expand it, and a table read at an offset the header's serial field gives
// (its first four bytes locate the extension). A damaged file may only end in CFileException.
// A file that loads whole must load the same after it is written out again: the same tree,
// exact sizes and times, and the same exact totals.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "store/coll_disk.h"
#include "store/coll_disk_file.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "store/record_writer.h"

namespace {

bool SameItem(const CCollDiskItem& a, const CCollDiskItem& b) {
    return a.name == b.name && a.creationTime == b.creationTime && a.modifyTime == b.modifyTime &&
           a.accessTime == b.accessTime;
}

bool SameTotals(const CCollDiskHeader& a, const CCollDiskHeader& b) {
    return a.totalFiles == b.totalFiles && a.totalFolders == b.totalFolders &&
           a.totalBytes == b.totalBytes;
}

bool SameContent(const CCollDiskContent& a, const CCollDiskContent& b) {
    if (a.folders.size() != b.folders.size() || a.files.size() != b.files.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.folders.size(); ++i) {
        if (!SameItem(*a.folders[i], *b.folders[i]) ||
            !SameContent(a.folders[i]->content, b.folders[i]->content)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.files.size(); ++i) {
        if (!SameItem(*a.files[i], *b.files[i]) || a.files[i]->size != b.files[i]->size) {
            return false;
        }
    }
    return true;
}

void ReadTableAt(const std::string& path, std::uint32_t offset) {
    try {
        CFile file(path, CFile::Mode::read);
        CRecordReader reader(file);
        CCollDiskContent content;
        content.ReadTable(reader, offset, reader.GetLength());
    } catch (const CFileException&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CMemoryFile input;
    static CMemoryFile rewritten;

    CCollDisk disk;
    disk.indexPath = input.Write(data, size);
    bool headerRead = static_cast<bool>(disk.ReadHeader());
    if (LoadWholeTree(disk)) {
        // An input of 32 KiB cannot grow past the 4 GiB that offsets reach.
        if (!disk.AssignOffsets()) {
            std::abort();
        }
        {
            CFile out;
            rewritten.Write(nullptr, 0);
            out.Open(rewritten.Path(), CFile::Mode::readWrite);
            CRecordWriter writer(out);
            disk.WriteIndex(writer);
            out.Close();
        }
        CCollDisk again;
        again.indexPath = rewritten.Path();
        if (!LoadWholeTree(again) || !SameContent(disk.content, again.content) ||
            (headerRead && (!again.ReadHeader() || !SameTotals(disk.header, again.header)))) {
            std::abort();
        }
    }
    ReadTableAt(disk.indexPath, InputU32(data, size, 4));
    return 0;
}
