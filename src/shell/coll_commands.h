// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command table: every menu, toolbar and key command with its texts, and the
// rule that decides when each one is enabled. The frame builds its menus, toolbar and actions
// from it, so the rules are tested here without a window.
#pragma once

#include <string>
#include <vector>

class CCollDoc;

// The commands, numbered as the menu resources number them.
enum class CCollCommand {
    none = 0,
    settings = 32771,
    guide = 32822,
    newDiskIndex = 32840,
    ejectDisk = 32845,
    totals = 32846,
    diskProperties = 32847,
    folderProperties = 32848,
    fileProperties = 32849,
    collectionProperties = 32850,
    open = 32855,
    exportList = 32856,
    insertDisks = 32858,
    removeDisk = 32859,
    updateDiskIndex = 32860,
    newCollection = 57600,
    openCollection = 57601,
    closeCollection = 57602,
    saveCollection = 57603,
    saveCollectionAs = 57604,
    recentFile = 57616,  // the first of the four entries
    copy = 57634,
    about = 57664,
    exit = 57665,
};

// The keys a command may take. Each has the key the guide names, which the menus show and
// which works under every desktop's key scheme; the frame adds the scheme's own keys for the
// same action beside it.
enum class CCommandKey { none, ctrlN, open, save, saveAs, close, quit, copy, help };

// The key as Qt's portable text spells it ("Ctrl+Shift+S"); empty for none.
const char* GetKeyText(CCommandKey key);

// The desktop's icon of a command on the toolbar and in the menus.
enum class CCommandIcon { none, open, save, copy, openItem, newDiskIndex, totals, about, help };

struct CCommandInfo {
    CCollCommand id = CCollCommand::none;
    std::string menuText;  // with its mnemonic; no key label: the frame shows the real key
    std::string prompt;    // the status-bar text
    std::string tooltip;
    CCommandKey key = CCommandKey::none;
    CCommandIcon icon = CCommandIcon::none;
};

struct CMenuInfo {
    std::string title;
    // none stands for a separator; recentFile for the place of the recent files.
    std::vector<CCollCommand> items;
};

const std::vector<CMenuInfo>& GetMenuTable();
// Left to right; none stands for a separator.
const std::vector<CCollCommand>& GetToolbarCommands();
// Every command of the menus, the recent files as one.
const CCommandInfo& GetCommandInfo(CCollCommand id);

// What the enabling rules look at besides the document.
struct CCommandContext {
    bool browseTabCurrent = true;
    std::size_t recentFileCount = 0;
    // A scan, an open or a copy is reading the drive.
    bool driveBusy = false;
};

bool IsCommandEnabled(CCollCommand id, const CCollDoc& doc, const CCommandContext& context);
// The menu text of recent file `index`: its number as the mnemonic, then the file's name.
std::string RecentFileMenuText(std::size_t index, const std::string& path);
