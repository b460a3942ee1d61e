#pragma once
// The value formatters of the invoice pages: amounts, grouped digits and registration numbers.
// All texts are code page 949 byte strings.

#include <string>
#include <string_view>

namespace ledgra {

// Amount with thousands separators and no fraction ("1,234,567.89" -> "1,234,567",
// "-5000" -> "-5,000"): every "," is removed, the text is cut at its first "." (no rounding),
// and the rest must be an optional leading "-" and at least one digit. Leading zeros are
// dropped ("007" -> "7", "-0" -> "0"). Empty for any other text (empty, blanks, "+", a lone
// "-", letters, ".5") and for results longer than 19 characters.
std::string FormatAmount(std::string_view text);

// Thousands separators with the fraction kept; every character of the integer part counts,
// a leading "-" included ("-123" -> "-,123"). The fraction is split off only at a "." that is
// not the first character; the result is trimmed.
std::string GroupDigits(std::string_view text);

// 13 characters: 6-7; any other text: 3-2-5 (first 3, characters 4 and 5, last 5), each piece
// taking only what exists in a shorter text ("12" -> "12--12"). An empty number gives
// "&nbsp;".
std::string FormatBusinessNumber(std::string_view number);

// The 3-2-5 cut whatever the length, 13 characters included.
std::string CutThreeTwoFive(std::string_view number);

}  // namespace ledgra
