#include "settings/BrowseForFolder.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ledgra {

bool BrowseForFolder(QString& path, const QString& title, QWidget* owner, const QString& rootFolder,
                     const QString& initialSelection) {
    QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!rootFolder.isEmpty() && QFileInfo(rootFolder).isDir()) start = rootFolder;
    if (!initialSelection.isEmpty()) start = initialSelection;
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        path.clear();
        return false;
    }
    path = chosen;
    return true;
}

}  // namespace ledgra
