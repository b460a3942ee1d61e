#pragma once
// Reading folders for the file tree: one pass over a folder's entries, name patterns, and the
// attributes the tree colours items by.

#include <QString>

#include <cstdint>
#include <functional>

#include "filetree/FolderEntry.h"

namespace ledgra {

// Calls visit for every entry of the folder except "." and "..", in directory order, until
// visit returns false. A symbolic link counts as what it points to. False when the folder
// cannot be read.
bool ForEachFolderEntry(const QString& folder,
                        const std::function<bool(const FolderEntry&)>& visit);

enum class PathKind { Missing, File, Folder, DanglingLink };
// What the path names (a symbolic link counts as what it points to; a dangling link is one
// whose target does not exist).
PathKind KindOfPath(const QString& path);

// Whether name matches a wildcard pattern ("*" any run, "?" one character), ignoring case.
bool MatchesPattern(const QString& name, const QString& pattern);

// kAttributeCompressed and kAttributeEncrypted as the file system's inode flags report them
// (0 where the file system keeps no such flags or the entry cannot be opened). Only regular
// files and folders are looked at.
std::uint32_t InodeAttributes(const QString& path);

}  // namespace ledgra
