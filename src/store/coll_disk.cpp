// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/coll_disk.h"

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "helpers/coll_settings.h"
#include "helpers/file_path.h"
#include "platform/atomic_file.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/volume.h"
#include "store/coll_disk_folder.h"
#include "store/record_reader.h"
#include "store/record_writer.h"

CCollDisk::CCollDisk(std::string diskTitle) : title(std::move(diskTitle)) {}

std::unique_ptr<CCollDisk> CCollDisk::OfIndexFile(const std::string& path) {
    auto disk = std::make_unique<CCollDisk>(CFilePath(path).GetTitle());
    disk->indexPath = path;
    return disk;
}

void CCollDisk::ComputeTotals() {
    CDiskTotals totals;
    content.AddTotals(totals);
    header.totalFiles = totals.files;
    header.totalFolders = totals.folders;
    header.totalBytes = totals.bytes;
}

CResult CCollDisk::ReadHeader() {
    try {
        CFile file(indexPath, CFile::Mode::read);
        file.SetReadAhead(0);
        CCollDiskHeader::Bytes bytes{};
        if (file.Read(bytes.data(), bytes.size()) != bytes.size()) {
            CFileException::ThrowEndOfFile(indexPath);
        }
        std::uint32_t at = IndexExtensionAt(bytes.data());
        CIndexExtensionHead extension;
        if (at != 0) {
            // Only the totals are read now; the entries are checked when the tree is read.
            std::uint8_t head[indexExtension::headSize];
            file.Seek(at);
            if (file.Read(head, sizeof head) != sizeof head ||
                !ReadIndexExtensionHead(bytes.data(), head, at, file.GetLength(), extension)) {
                CFileException::ThrowEndOfFile(indexPath);
            }
        }
        file.Close();
        header.FromBytes(bytes);
        if (at != 0) {
            header.totalFiles = extension.totals.files;
            header.totalFolders = extension.totals.folders;
            header.totalBytes = extension.totals.bytes;
        }
        return {};
    } catch (const CFileException& error) {
        return CResult(error);
    }
}

void CCollDisk::LoadContent() {
    CFile file(indexPath, CFile::Mode::read);
    CRecordReader reader(file);
    // A file cut short still shows the folders that lie before the cut, one level down too.
    std::optional<CFileException> failure;
    KeepFirstFileError(
        failure, [&] { content.ReadTable(reader, CCollDiskHeader::size, reader.GetLength()); });
    KeepFirstFileError(failure, [&] { content.ReadFolderTables(reader); });
    if (failure) {
        throw *failure;
    }
    file.Close();
}

bool CCollDisk::IsInDrive() const {
    CCollSettings* settings = GetSettings();
    return IsInDrive(settings != nullptr ? settings->GetDrive() : CCollSettings::defaultDrive);
}

std::string CCollDisk::RootInDrive(const std::string& drive) const {
    std::string root = ResolveDriveRoot(drive);
    CVolumeInfo volume;
    if (root.empty() || !ReadVolumeInformation(root, volume)) {
        return std::string();
    }
    CCollDiskHeader present;
    present.SetLabel(volume.label);
    present.serial = volume.serial;
    return present.IsSameVolume(header) ? root : std::string();
}

CResult CCollDisk::WriteHeader() {
    try {
        // The old file is opened first: one that has gone is reported, never recreated
        // holding a header and no tree.
        CFile old(indexPath, CFile::Mode::read);
        // The new header and the old tree go to a copy that replaces the file only when
        // complete: a failure halfway never leaves a disk with a torn header.
        CAtomicFile output(indexPath);
        CCollDiskHeader::Bytes bytes = header.ToBytes();
        output.File().Write(bytes.data(), bytes.size());
        std::uint64_t length = old.GetLength();
        std::vector<char> chunk(std::size_t{64} * 1024);
        for (std::uint64_t at = CCollDiskHeader::size; at < length; at += chunk.size()) {
            old.Seek(at);
            std::size_t got = old.Read(chunk.data(), chunk.size());
            if (got == 0) {
                break;
            }
            output.File().Write(chunk.data(), got);
        }
        old.Close();
        output.Commit();
        return {};
    } catch (const CFileException& error) {
        return CResult(error);
    }
}

bool CCollDisk::AssignOffsets() {
    std::uint64_t next = CCollDiskHeader::size + content.TableSize();
    content.AssignChildOffsets(next);
    extension = {};
    extension.totals = {header.totalFiles, header.totalFolders, header.totalBytes};
    content.GatherExtension(extension);
    // A file without big values stays exactly as one written before the extension existed.
    header.extensionAt = extension.IsNeeded() ? static_cast<std::uint32_t>(next) : 0;
    std::uint64_t end = next + (extension.IsNeeded() ? extension.BlockSize() : 0);
    return next <= UINT32_MAX && end <= UINT32_MAX;
}

void CCollDisk::WriteIndex(CRecordWriter& writer) const {
    CCollDiskHeader::Bytes bytes = header.ToBytes();
    writer.WriteBytes(bytes.data(), bytes.size());
    content.WriteTable(writer);
    content.WriteChildren(writer);
    if (header.extensionAt != 0) {
        extension.Write(writer);
    }
}

CResult CCollDisk::SaveIndexFile(const std::string& path) {
    try {
        if (!AssignOffsets()) {
            CFileException::ThrowErrno(EFBIG, path);
        }
        CAtomicFile output(path);
        CRecordWriter writer(output.File());
        WriteIndex(writer);
        output.Commit();
        return {};
    } catch (const CFileException& error) {
        return CResult(error);
    }
}
