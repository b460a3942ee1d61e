#include "base/QtFolders.h"

#include <QFile>
#include <QStandardPaths>

#include <system_error>

namespace ledgra {

std::filesystem::path DocumentsLocation() {
    const QString location = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return std::filesystem::path(QFile::encodeName(location).toStdString());
}

std::filesystem::path DocumentsFolder() {
    std::filesystem::path documents = DocumentsLocation();
    std::error_code ignored;
    std::filesystem::create_directories(documents, ignored);
    return documents;
}

}  // namespace ledgra
