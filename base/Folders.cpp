#include "base/Folders.h"

#include <system_error>

namespace ledgra {

std::filesystem::path ZovaFolder(const std::filesystem::path& documents) {
    return documents / kZovaFolderName;
}

std::filesystem::path CreateLogFolder(const std::filesystem::path& documents) {
    const std::filesystem::path logs = ZovaFolder(documents) / kLogFolderName;
    std::error_code ignored;
    std::filesystem::create_directories(logs, ignored);
    return logs / "";
}

std::filesystem::path TrustFolder(const std::filesystem::path& documents) {
    return ZovaFolder(documents) / kTrustFolderName / "";
}

std::filesystem::path TaxfilesFolder(const std::filesystem::path& documents) {
    return ZovaFolder(documents) / kTaxfilesFolderName / "";
}

}  // namespace ledgra
