// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/coll_session.h"

#include "helpers/path_parts.h"
#include "platform/profile.h"
#include "shell/command_guard.h"

CCollSession::CCollSession() {
    doc.SetRecentFileList(&recentFiles);
}

CCollSession::~CCollSession() {
    if (GetProfile() == &profile) {
        SetProfile(nullptr);
    }
}

void CCollSession::Load(const std::string& iniPath) {
    // A profile that cannot be read is reported; the run goes on with the defaults and leaves
    // the file as it is at exit.
    if (!RunCommand([&] { profile.Load(iniPath); })) {
        profile = CIniFile();
    }
    SetProfile(&profile);
    recentFiles.Load(profile);
    settings.Load(profile);
}

void CCollSession::OpenAtStartup(const std::string& commandLineFile,
                                 const CCollDoc::Finished& finished) {
    // The collection's lines are relative to its folder: it is opened by its full path.
    doc.OpenAtStartup(FullPathOf(commandLineFile), settings.GetOpenLastFile(),
                      CCollSettings::GetLastFile(profile), finished);
}

bool CCollSession::Save() {
    settings.Save(profile);
    recentFiles.Save(profile);
    if (profile.GetPath().empty()) {
        return true;
    }
    return RunCommand([&] { profile.Save(); });
}
