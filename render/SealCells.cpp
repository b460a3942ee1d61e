#include "render/SealCells.h"

#include "render/FillPlan.h"
#include "render/PlaceholderFill.h"
#include "text/Cp949.h"

namespace ledgra {

const std::string& BuyerSealTag() {
    return "<IMG SRC=':인장1:' HEIGHT=32 WIDTH=32 BORDER=0 ALT='' style='filter:alpha(opacity=90%)'>"_cp949;
}
const std::string& SupplierSealTag() {
    return "<IMG SRC=':인장2:' HEIGHT=50 WIDTH=51 BORDER=0 ALT='' style='filter:alpha(opacity=90%)'>"_cp949;
}
const std::string& SealMark() {
    return "(인)"_cp949;
}
const std::string& TextSealBox() {
    return "<table HEIGHT=50 WIDTH=51 BORDER=0 ><tr><td>(인)</td></tr></table>"_cp949;
}

bool SealIsEmpty(std::string_view sealData) {
    return sealData.empty() || sealData.front() == '\0';
}

void SealCell(PageFill& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath) {
    if (SealIsEmpty(sealData)) {
        FillPlaceholder(page, sealPlaceholder, emptySeal);
        return;
    }
    // The tag goes in first: its image placeholder only exists once the tag is in the page.
    FillPlaceholder(page, sealPlaceholder, imageTag);
    FillPlaceholder(page, imagePlaceholder, imagePath);
}

void SealCell(std::string& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath) {
    PageFill fill(page);  // a copy: a fill past the limit leaves the page as it was
    SealCell(fill, sealPlaceholder, sealData, emptySeal, imageTag, imagePlaceholder, imagePath);
    page = fill.Take();
}

}  // namespace ledgra
