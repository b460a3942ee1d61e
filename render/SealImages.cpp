#include "render/SealImages.h"

#include <cerrno>

#include "render/FileNotSavedError.h"
#include "render/HtmlText.h"
#include "render/NodeReading.h"
#include "render/PageFilling.h"

namespace ledgra {

std::string WriteSealImage(const FrameState& frame, std::string_view fileName,
                           std::string_view stamp) {
    if (stamp.empty()) return {};
    std::string image = DecodeBase64Text(stamp);
    // The file is named by the log folder formatted with "%s\zova_supplier.gif": with the
    // folder's trailing separator the name has a doubled one and names the same file as the
    // image path the page shows.
    std::string name = frame.m_strLogFolder.native();
    name += '/';
    name += fileName;
    if (!WriteGeneratedFile(std::filesystem::path(name), image)) {
        const int cause = errno;
        throw FileNotSavedError(frame.m_strLogFolder / fileName, cause);
    }
    return image;
}

std::string SealImagePageText(const FrameState& frame, std::string_view fileName) {
    return EscapeAttribute(LogFolderPageText(frame, fileName));
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
