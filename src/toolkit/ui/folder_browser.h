// SPDX-License-Identifier: GPL-3.0-or-later
// Asks the user for a folder through the platform's folder dialog, optionally limited to the
// tree below a root folder; the copy commands use it to choose a destination.
#pragma once

#include <string>

class CFolderBrowser {
public:
    // True when a folder was chosen; it is then in `chosenPath`. False, without a dialog, when
    // no platform dialogs are installed or the root folder is set but is not a folder.
    bool Choose();

    std::string chosenPath;
    // Empty: the whole file system.
    std::string rootFolder;
    // Empty: the dialog starts at the root folder.
    std::string preselectedFolder;
    // Shown above the folder tree.
    std::string title;
};
