#pragma once
// A cell of a ledger table: nothing, a text, an amount in won or a date. The table views, the
// sorting and the exports all take cells of this one type, so a date sorts and exports as a
// date and an amount as a number.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "records/InvoiceRecord.h"

namespace ledgra {

using LedgerCell = std::variant<std::monostate, std::string, std::int64_t, CalendarDate>;

// The cell as a person reads it: texts as they are, amounts with thousands separators and a
// leading minus, dates as YYYY-MM-DD, nothing as "".
std::string DisplayText(const LedgerCell& cell);
// Amounts as plain integers and dates as YYYY-MM-DD: the form files take.
std::string PlainText(const LedgerCell& cell);
// The text with every byte that is not part of a well-formed UTF-8 sequence replaced by
// U+FFFD: file names are bytes, and a spreadsheet refuses a file with malformed text.
std::string ValidUtf8(std::string_view text);

// Orders cells of one column by value, up or down; an empty cell comes after every other
// either way.
bool CellLess(const LedgerCell& a, const LedgerCell& b, bool ascending = true);

}  // namespace ledgra
