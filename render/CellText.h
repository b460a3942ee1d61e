#pragma once
// The cell texts every invoice page is made of: the non-breaking space of an empty cell, the
// numbered row placeholders, the remark lines of four bytes and the row dates. Document text
// that goes through these is escaped (see HtmlText.h); the markup they add stays markup.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledgra {

class PageFill;

// What an empty cell shows.
inline constexpr std::string_view kNbsp = "&nbsp;";

// The document value as cell text, or "&nbsp;" when it is empty.
std::string TextOrNbsp(std::string_view value);

// The row and cell placeholders: ":월" and 3 make ":월3:".
std::string NumberedPlaceholder(std::string_view prefix, std::int64_t number);

// The remark cell is narrow: a line break before every byte whose index (from 0) is a
// positive multiple of four. The break counts bytes, not characters, so a two-byte character
// can be split across it, as the paper form's layout did.
std::string FourByteLines(std::string_view remark);

// The month and day cells of an item row, as document text.
struct MonthDay {
    std::string_view month;
    std::string_view day;
};

// The forms a row date may take.
enum class RowDateForms {
    YearMonthDay,            // 8 characters, YYYYMMDD
    YearMonthDayOrMonthDay,  // also 4 characters, MMDD
};

// The month and day of a row date; nothing when the date has no form that is accepted.
std::optional<MonthDay> RowMonthDay(std::string_view date, RowDateForms forms);

// Fills the month and day cells of row `row` (or "&nbsp;" in both without a date); returns
// whether the row is dated.
bool FillRowDate(PageFill& page, std::int64_t row, const std::optional<MonthDay>& date);

}  // namespace ledgra
