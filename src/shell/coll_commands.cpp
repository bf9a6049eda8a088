// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/coll_commands.h"

#include <algorithm>

#include "helpers/file_path.h"
#include "shell/coll_doc.h"

namespace {

using C = CCollCommand;
using K = CCommandKey;
using I = CCommandIcon;

const std::vector<CCommandInfo>& Commands() {
    static const std::vector<CCommandInfo> commands = {
        {C::openCollection, "Open collection...", "Open an existing collection", "Open collection",
         K::open, I::open},
        {C::closeCollection, "&Close collection", "Close the current collection",
         "Close collection", K::close, I::none},
        {C::newCollection, "New collection", "Create a new collection", "New collection", K::none,
         I::none},
        {C::saveCollection, "Save collection", "Save the collection file", "Save collection",
         K::save, I::save},
        {C::saveCollectionAs, "Save collection as...", "Save the collection in another file",
         "Save collection as", K::saveAs, I::none},
        {C::recentFile, "Recent File", "Open this collection", "", K::none, I::none},
        {C::newDiskIndex, "&New disk index...", "Create a new disk index", "New disk index",
         K::ctrlN, I::newDiskIndex},
        {C::exit, "E&xit", "Quit the application", "Exit", K::quit, I::none},
        {C::copy, "&Copy", "Copy the selected item", "Copy", K::copy, I::copy},
        {C::open, "&Open", "Open the selected item", "Open", K::none, I::openItem},
        {C::insertDisks, "&Insert disks in collection...", "", "", K::none, I::none},
        {C::removeDisk, "Remove disk from collection",
         "Remove the selected disk from the collection", "Remove disk", K::none, I::none},
        {C::updateDiskIndex, "&Update disk index...",
         "Compare the selected disk with its index and update the index", "Update disk index",
         K::none, I::none},
        {C::diskProperties, "&Disk properties", "Show the selected disk properties",
         "Disk properties", K::none, I::none},
        {C::folderProperties, "&Folder properties", "Show the selected folder properties",
         "Folder properties", K::none, I::none},
        {C::fileProperties, "F&ile properties", "Show the selected file properties",
         "File properties", K::none, I::none},
        {C::collectionProperties, "&Collection properties", "Show the collection properties",
         "Collection properties", K::none, I::none},
        {C::totals, "&Totals...", "Show the collection totals", "Totals", K::none, I::totals},
        {C::ejectDisk, "&Eject disk", "Ejects the disk", "Eject disk", K::none, I::none},
        {C::exportList, "&Export list...", "Export the disk list", "Export list", K::none, I::none},
        {C::settings, "&Settings...", "Show the application settings", "Settings", K::none,
         I::none},
        {C::guide, "&Guide", "Shows the program guide", "Guide", K::help, I::help},
        {C::about, "&About...", "Display program information, version number and copyright",
         "About", K::none, I::about},
    };
    return commands;
}

}  // namespace

const char* GetKeyText(CCommandKey key) {
    switch (key) {
        case K::ctrlN:
            return "Ctrl+N";
        case K::open:
            return "Ctrl+O";
        case K::save:
            return "Ctrl+S";
        case K::saveAs:
            return "Ctrl+Shift+S";
        case K::close:
            return "Ctrl+W";
        case K::quit:
            return "Ctrl+Q";
        case K::copy:
            return "Ctrl+C";
        case K::help:
            return "F1";
        case K::none:
            break;
    }
    return "";
}

const std::vector<CMenuInfo>& GetMenuTable() {
    static const std::vector<CMenuInfo> menus = {
        {"&File",
         {C::openCollection, C::closeCollection, C::none, C::newCollection, C::saveCollection,
          C::saveCollectionAs, C::none, C::recentFile, C::none, C::newDiskIndex, C::none, C::exit}},
        {"&Edit",
         {C::copy, C::open, C::none, C::insertDisks, C::removeDisk, C::none, C::updateDiskIndex}},
        {"&View",
         {C::diskProperties, C::folderProperties, C::fileProperties, C::collectionProperties}},
        {"&Tools", {C::totals, C::ejectDisk, C::exportList, C::none, C::settings}},
        {"&Help", {C::guide, C::about}},
    };
    return menus;
}

const std::vector<CCollCommand>& GetToolbarCommands() {
    static const std::vector<CCollCommand> toolbar = {
        C::openCollection, C::none, C::copy,   C::open, C::none,
        C::newDiskIndex,   C::none, C::totals, C::none, C::about,
    };
    return toolbar;
}

const CCommandInfo& GetCommandInfo(CCollCommand id) {
    const std::vector<CCommandInfo>& commands = Commands();
    auto found = std::find_if(commands.begin(), commands.end(),
                              [id](const CCommandInfo& info) { return info.id == id; });
    static const CCommandInfo unknown;
    return found != commands.end() ? *found : unknown;
}

bool IsCommandEnabled(CCollCommand id, const CCollDoc& doc, const CCommandContext& context) {
    // A collection still loading has no disks, path or description yet to act on.
    if (doc.IsLoading() &&
        (id == C::saveCollection || id == C::saveCollectionAs || id == C::collectionProperties ||
         id == C::totals || id == C::exportList || id == C::insertDisks)) {
        return false;
    }
    // One reader of the drive at a time: a second one would compete for a slow disk, and an
    // eject would pull it from under the first.
    if (context.driveBusy && (id == C::newDiskIndex || id == C::open || id == C::copy ||
                              id == C::ejectDisk || id == C::updateDiskIndex)) {
        return false;
    }
    switch (id) {
        case C::open:
        case C::copy:
            // The tree selects the disk's root whenever a disk is current, and the root opens
            // and copies like any folder.
            return doc.currentFile != nullptr || doc.currentFolder != nullptr ||
                   doc.currentDisk != nullptr;
        case C::diskProperties:
        case C::updateDiskIndex:
            return doc.currentDisk != nullptr;
        case C::folderProperties:
            return doc.currentFolder != nullptr;
        case C::fileProperties:
            return doc.currentFile != nullptr;
        case C::collectionProperties:
            return !doc.GetPathName().empty();
        case C::insertDisks:
            return context.browseTabCurrent && !doc.IsInserting();
        case C::removeDisk:
            return context.browseTabCurrent && doc.currentDisk != nullptr;
        case C::recentFile:
            return context.recentFileCount > 0;
        case C::none:
            return false;
        default:
            return true;
    }
}

std::string RecentFileMenuText(std::size_t index, const std::string& path) {
    std::string name = CFilePath(path).GetFileName();
    std::string escaped;
    // An ampersand of the name is shown as it is, not taken for a mnemonic.
    for (char c : name) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}
