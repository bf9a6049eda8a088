// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/html_writer.h"

#include <cerrno>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/file_exception.h"
#include "platform/fs_ops.h"

CHtmlWriter::CHtmlWriter() = default;

CHtmlWriter::~CHtmlWriter() = default;

bool CHtmlWriter::Open(const std::string& path) {
    file.reset();
    // The rename at Close() would fail on a folder; say so now, before anything is written.
    EntryKind kind = EntryKind::other;
    if (GetEntryKind(path, true, kind) && kind == EntryKind::folder) {
        return false;
    }
    try {
        file = std::make_unique<CAtomicFile>(path);
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

void CHtmlWriter::Close() {
    if (file == nullptr) {
        return;
    }
    // Released before committing, so a failed commit still removes the unfinished page.
    std::unique_ptr<CAtomicFile> closing = std::move(file);
    closing->Commit();
}

CFile& CHtmlWriter::Stream() {
    if (file == nullptr) {
        CFileException::ThrowErrno(EBADF, std::string());
    }
    return file->File();
}

void CHtmlWriter::Write(std::string_view text) {
    if (!text.empty()) {
        Stream().Write(text.data(), text.size());
    }
}

void CHtmlWriter::WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
}

void CHtmlWriter::Title(std::string_view text) {
    Write("<TITLE>");
    Write(text);
    WriteLine("</TITLE>");
}

void CHtmlWriter::Link(std::string_view rel, std::string_view href) {
    Write("<LINK rel=\"");
    Write(rel);
    Write("\" href=\"");
    Write(href);
    WriteLine("\" >");
}

void CHtmlWriter::HeaderCell(std::string_view text) {
    Write("<TH>");
    Write(text);
    Write("</TH>");
}

void CHtmlWriter::Cell(std::string_view text) {
    Write("<TD>");
    Write(text);
    Write("</TD>");
}
