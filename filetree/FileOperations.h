#pragma once
// The file operations behind the tree's Rename, Delete and drops. Paths are in the tree's
// form (NativeNames.h); none of them replaces a file that is already there.

#include <QString>

namespace ledgra {

// Renames or moves from to to; false when to exists or the file system refuses.
bool RenameWithoutReplacing(const QString& from, const QString& to);
// Copies a file; false when to exists or the copy fails (nothing half-written stays).
bool CopyFileWithoutReplacing(const QString& from, const QString& to);
// Moves a file, across file systems too.
bool MoveFileWithoutReplacing(const QString& from, const QString& to);
// Moves a file or folder to the user's trash; false when it cannot, or when the trash is not
// where the desktop keeps it (the file is then put back).
bool MoveToTrash(const QString& path);
// Deletes a file, or a folder with everything in it, for good.
bool DeletePermanently(const QString& path);
// Whether text can be a file name: not empty, no separator, not "." or "..", no NUL.
bool IsValidFileName(const QString& text);

}  // namespace ledgra
