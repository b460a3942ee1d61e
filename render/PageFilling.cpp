#include "render/PageFilling.h"

#include "render/FillPlan.h"
#include "render/HtmlText.h"
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

namespace {

// How often the placeholder occurs in the page, each search going on behind the previous hit.
std::size_t CountOccurrences(std::string_view page, std::string_view placeholder) {
    std::size_t count = 0;
    for (std::size_t hit = page.find(placeholder); hit != std::string_view::npos;
         hit = page.find(placeholder, hit + placeholder.size())) {
        ++count;
    }
    return count;
}

// Whether replacing `hits` placeholders by the value keeps the page within its limit,
// computed without overflow before anything is allocated.
bool FitsThePage(std::size_t pageSize, std::size_t hits, std::size_t placeholderSize,
                 std::size_t valueSize) {
    if (valueSize <= placeholderSize) return true;
    if (pageSize > kMaxPageBytes) return false;
    return hits <= (kMaxPageBytes - pageSize) / (valueSize - placeholderSize);
}

}  // namespace

void FillPlaceholder(std::string& page, std::string_view placeholder, std::string_view value) {
    if (placeholder.empty()) return;
    const std::size_t hits = CountOccurrences(page, placeholder);
    if (hits == 0) return;
    if (!FitsThePage(page.size(), hits, placeholder.size(), value.size())) {
        throw PageTooLargeError();
    }

    // Most placeholders occur once in a page: replace that one in place, moving only the
    // tail. With several hits, copy the page once, putting the value in place of each hit.
    std::size_t hit = page.find(placeholder);
    if (hits == 1) {
        page.replace(hit, placeholder.size(), value);
        return;
    }
    std::string filled;
    filled.reserve(page.size() - hits * placeholder.size() + hits * value.size());
    std::size_t copied = 0;
    for (; hit != std::string::npos; hit = page.find(placeholder, copied)) {
        filled.append(page, copied, hit - copied);
        filled.append(value);
        copied = hit + placeholder.size();
    }
    filled.append(page, copied, std::string::npos);
    page.swap(filled);
}

void DigitCells(PageFill& page, std::string_view prefix, std::string_view amount,
                int cellCount) {
    if (cellCount <= 0) return;
    const std::size_t cells = static_cast<std::size_t>(cellCount);
    // A longer amount keeps its last `cells` bytes, which then fill every cell.
    if (amount.size() > cells) amount.remove_prefix(amount.size() - cells);
    const std::size_t blank = cells - amount.size();

    std::string placeholder;
    for (std::size_t k = 1; k <= cells; ++k) {
        placeholder.assign(prefix);
        placeholder += std::to_string(k);
        placeholder += ':';
        if (k <= blank) {
            FillPlaceholder(page, placeholder, "&nbsp;");
        } else {
            FillPlaceholder(page, placeholder, EscapeText(amount.substr(k - blank - 1, 1)));
        }
    }
}

void DigitCells(std::string& page, std::string_view prefix, std::string_view amount,
                int cellCount) {
    PageFill fill(page);  // a copy: a fill past the limit leaves the page as it was
    DigitCells(fill, prefix, amount, cellCount);
    page = fill.Take();
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

std::string LogFolderPageText(const FrameState& frame, std::string_view fileName) {
    std::string text = Cp949FromUtf8(frame.m_strLogFolder.native());
    text += fileName;
    return text;
}

void SealCell(std::string& page, std::string_view sealPlaceholder, std::string_view sealData,
              std::string_view emptySeal, std::string_view imageTag,
              std::string_view imagePlaceholder, std::string_view imagePath) {
    PageFill fill(page);  // a copy: a fill past the limit leaves the page as it was
    SealCell(fill, sealPlaceholder, sealData, emptySeal, imageTag, imagePlaceholder, imagePath);
    page = fill.Take();
}

}  // namespace ledgra
