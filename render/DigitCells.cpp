#include "render/DigitCells.h"

#include "render/FillPlan.h"
#include "render/HtmlText.h"
#include "render/PlaceholderFill.h"

namespace ledgra {

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

}  // namespace ledgra
