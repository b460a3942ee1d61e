#pragma once
// The seal images an invoice carries (GIF files in Base64), written into the log folder for
// the page to show.

#include <filesystem>
#include <string>
#include <string_view>

#include "render/XmlDocument.h"

namespace ledgra {

inline constexpr std::string_view kSupplierSealFileName = "zova_supplier.gif";
inline constexpr std::string_view kBuyerSealFileName = "zova_buyer.gif";

// The decoded seal image; empty for an empty stamp text. A non-empty stamp is written to the
// log folder under `fileName` whatever it decodes to (an empty file when nothing), before the
// page is shown. Throws FileNotSavedError when the file cannot be written: the page would
// show whatever seal an earlier document left under that name.
std::string WriteSealImage(const std::filesystem::path& logFolder, std::string_view fileName,
                           std::string_view stamp);

// The image file's path as the page names it, escaped for the quoted SRC attribute of the seal
// tag.
std::string SealImagePageText(const std::filesystem::path& logFolder, std::string_view fileName);

// The last Stamp text (Base64 of the supplier's seal image) of the document's Extension
// elements; empty when there is none. Throws XmlAccessError when an Extension has no Stamp.
std::string ReadSupplierStamp(const XmlDocument& document);

}  // namespace ledgra
