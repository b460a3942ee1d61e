#include "render/SealImages.h"

#include <cerrno>

#include "base/FileAccess.h"
#include "render/Base64.h"
#include "render/FileNotSavedError.h"
#include "render/HtmlText.h"
#include "render/LogFolderText.h"
#include "render/NodeReading.h"

namespace ledgra {

std::string WriteSealImage(const std::filesystem::path& logFolder, std::string_view fileName,
                           std::string_view stamp) {
    if (stamp.empty()) return {};
    std::string image = DecodeBase64Text(stamp);
    // The file is named by the log folder formatted with "%s\zova_supplier.gif": with the
    // folder's trailing separator the name has a doubled one and names the same file as the
    // image path the page shows.
    std::string name = logFolder.native();
    name += '/';
    name += fileName;
    if (!WriteOwnFile(std::filesystem::path(name), image)) {
        const int cause = errno;
        throw FileNotSavedError(logFolder / fileName, cause);
    }
    return image;
}

std::string SealImagePageText(const std::filesystem::path& logFolder, std::string_view fileName) {
    return EscapeAttribute(LogFolderPageText(logFolder, fileName));
}

std::string ReadSupplierStamp(const XmlDocument& document) {
    static const XPath kExtensions("//Extension");
    static const XPath kStamp("Stamp");

    std::string stamp;
    ForEachNode(document.SelectNodes(kExtensions),
                [&](const XmlNode& extension) { stamp = RequiredText(extension, kStamp); });
    return stamp;
}

}  // namespace ledgra
