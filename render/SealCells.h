#pragma once
// The seal cells of the invoice pages: the image tags that show a seal image, and what stands
// in their place when the document carries no seal.

#include <string>
#include <string_view>

namespace ledgra {

class PageFill;

// The seal tags, the plain seal mark and the text seal box.
// Functions rather than globals, so that they are ready whenever they are first used.
const std::string& BuyerSealTag();     // "<IMG SRC=':인장1:' HEIGHT=32 ...>"
const std::string& SupplierSealTag();  // "<IMG SRC=':인장2:' HEIGHT=50 ...>"
const std::string& SealMark();         // "(인)"
const std::string& TextSealBox();      // "<table HEIGHT=50 WIDTH=51 ...>(인)...</table>"

// Seal data counts as empty, as text would, when it has no bytes or begins with a NUL byte.
bool SealIsEmpty(std::string_view sealData);

// With empty seal data the seal placeholder gets `emptySeal`; otherwise it gets `imageTag`,
// whose image placeholder (":인장1:" or ":인장2:") then gets the image path (page text ready
// for the tag's attribute).
void SealCell(PageFill& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath);
void SealCell(std::string& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath);

}  // namespace ledgra
