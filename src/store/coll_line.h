// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a collection file that name index files: how a stored line reads back to an
// index path, and how to write a path so that it reads back to the same file.
#pragma once

#include <string>

// The path the lines of the collection file `path` are relative to: the file a symbolic link
// leads to, since that is where the file and its index files really are.
std::string LineBaseOf(const std::string& path);
// A line without its leading and trailing blanks, as the loader reads every line.
std::string TrimCollectionLine(const std::string& line);
// Whether a trimmed line opens the description block.
bool IsDescriptionMarker(const std::string& line);
// The index path a trimmed line names, for the collection file `collectionPath`.
bool ReadIndexLine(const std::string& line, const std::string& collectionPath,
                   std::string& indexPath);
// The line to store for `indexPath` in the collection file `collectionPath`: relative where
// possible, full otherwise, and only a line that reads back to the same file. False when no
// such line exists.
bool WriteIndexLine(const std::string& indexPath, const std::string& collectionPath,
                    std::string& line);
// Empty when `indexPath` (a full path) can be listed in a collection file wherever that file
// lies; otherwise why it cannot.
std::string WhyNotListable(const std::string& indexPath);
