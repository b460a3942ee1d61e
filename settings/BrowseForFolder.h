#pragma once
// The folder picker: the desktop's own dialog for choosing a folder.

#include <QString>

class QWidget;

namespace ledgra {

// Asks the user for a folder, opening at `initialSelection` when given, else at `rootFolder`
// when given, else at the desktop. True with the chosen folder in `path`; false with `path`
// emptied when the user cancelled.
bool BrowseForFolder(QString& path, const QString& title, QWidget* owner, const QString& rootFolder,
                     const QString& initialSelection);

}  // namespace ledgra
