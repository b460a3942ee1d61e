#pragma once
// Amounts shown one digit per cell, as the paper forms print them.

#include <string>
#include <string_view>

namespace ledgra {

class PageFill;

// Fills the cells prefix1 .. prefixN (placeholder ":공1:" for prefix ":공") with the amount
// right-aligned, one byte per cell as text (escaped), "&nbsp;" in the empty leading cells; a
// longer amount shows its last N bytes.
void DigitCells(PageFill& page, std::string_view prefix, std::string_view amount, int cellCount);
void DigitCells(std::string& page, std::string_view prefix, std::string_view amount, int cellCount);

}  // namespace ledgra
