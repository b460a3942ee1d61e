#pragma once
// Whether the desktop has a program for a MIME type ("inode/directory",
// "x-scheme-handler/smb"), found as the desktop's own opener finds it: the type's (or a parent
// type's) associations in the mimeapps.list files and the mimeinfo.cache files of the XDG
// folders, whose desktop entry exists.

#include <QString>

namespace ledgra {

bool HasDesktopApplication(const QString& mimeType);

}  // namespace ledgra
