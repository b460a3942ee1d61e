#include "app/AppFolders.h"

#include <QFile>
#include <QStandardPaths>

#include <system_error>

namespace ledgra {
namespace {

void CreateIfMissing(const std::filesystem::path& folder) {
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored)) {
        std::filesystem::create_directory(folder, ignored);
    }
}

}  // namespace

std::filesystem::path DocumentsFolder() {
    const QString location = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    std::filesystem::path documents(QFile::encodeName(location).toStdString());
    std::error_code ignored;
    std::filesystem::create_directories(documents, ignored);
    return documents;
}

std::filesystem::path CreateLogFolder(const std::filesystem::path& documents) {
    const std::filesystem::path zova = documents / "ZOVA";
    CreateIfMissing(zova);
    const std::filesystem::path logs = zova / "Logs";
    CreateIfMissing(logs);
    return logs / "";
}

std::filesystem::path TrustFolder(const std::filesystem::path& documents) {
    return documents / "ZOVA" / "CA" / "";
}

}  // namespace ledgra
