// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an HTML page line by line: the tags, the text exactly as given (callers escape it)
// and "\r\n" line ends.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class CAtomicFile;
class CFile;

class CHtmlWriter {
public:
    CHtmlWriter();
    CHtmlWriter(const CHtmlWriter&) = delete;
    CHtmlWriter& operator=(const CHtmlWriter&) = delete;
    // Drops a page that was not closed; the file at the path stays as it was.
    ~CHtmlWriter();

    // Starts the page for `path`; false when it cannot be created there. The page replaces
    // an existing file only when Close() has written all of it.
    bool Open(const std::string& path);
    // Writes the page out and puts it in place; throws CFileException when that fails.
    void Close();

    // Each writes at once; throws CFileException on a write error or when not open.
    void Write(std::string_view text);
    void WriteLine(std::string_view text = {});
    void BeginHtml() { WriteLine("<HTML>"); }
    void BeginHead() { WriteLine("<HEAD>"); }
    void BeginBody() { WriteLine("<BODY>"); }
    void Title(std::string_view text);
    void Link(std::string_view rel, std::string_view href);
    void BeginRow() { Write("<TR>"); }
    void HeaderCell(std::string_view text);
    void Cell(std::string_view text);
    void EndRow() { WriteLine("</TR>"); }
    void EndTable() { WriteLine("</TABLE>"); }
    void EndHead() { WriteLine("</HEAD>"); }
    void EndBody() { WriteLine("</BODY>"); }
    void EndHtml() { WriteLine("</HTML>"); }

private:
    CFile& Stream();

    std::unique_ptr<CAtomicFile> file;
};
