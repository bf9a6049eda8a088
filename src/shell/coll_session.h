// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program holds for one run: the profile, the settings, the recent files and
// the document. The profile is read at start-up and written back once at exit, settings
// first, then the recent files; the windows add their placement and layouts before that.
#pragma once

#include <string>

#include "helpers/coll_settings.h"
#include "helpers/recent_file_list.h"
#include "platform/ini_file.h"
#include "shell/coll_doc.h"

class CCollSession {
public:
    CCollSession();
    CCollSession(const CCollSession&) = delete;
    CCollSession& operator=(const CCollSession&) = delete;
    ~CCollSession();

    // Reads the profile at `iniPath` and installs it for every part of the program, then the
    // recent files and the settings. A profile that cannot be read is reported, and the
    // program goes on with the defaults and never writes over it.
    void Load(const std::string& iniPath);
    // Opens the collection named on the command line, or else, when the settings ask for it,
    // the most recent one of the previous run. `finished` is told, once it has been read,
    // false when the named one could not be opened.
    void OpenAtStartup(const std::string& commandLineFile, const CCollDoc::Finished& finished);
    // Writes the settings, then the recent files, then the profile file. False when the file
    // could not be written (reported).
    bool Save();

    CIniFile profile;
    CCollSettings settings;
    CRecentFileList recentFiles;
    CCollDoc doc;
};
