// The scan of a mounted disk into a disk's tree: folders and files with their names, sizes
// and times, never their contents.
#pragma once

#include <string>

class CCollDisk;
class CCollDiskFolder;

// Reads the volume at `rootPath` (label and serial) and its whole tree into `disk`. False,
// after a message, when the volume or its root cannot be read, or when a folder could not be
// read for a reason other than a refusal of access (part of a disk is never the whole).
bool ScanDisk(CCollDisk& disk, const std::string& rootPath);
// Fills `folder`'s content from the folder `path`, at every depth, without messages. False
// when the folder cannot be opened or the tree below it is knowingly incomplete.
bool ScanFolder(CCollDiskFolder& folder, const std::string& path);
