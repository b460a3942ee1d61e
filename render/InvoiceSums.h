#pragma once
// The sums of an invoice's items, shown when the rows summarise more items than the form has.

#include <cstdint>
#include <string_view>

namespace ledgra {

// What an amount adds to a sum: its leading integer, read as the C library reads one (leading
// blanks and a sign allowed, reading stops at the first other character, no digits give 0),
// except that a "," after a digit is a thousands separator and is skipped, so "1,500" counts
// as the 1,500 the row shows and not as 1. Held at the ends of the 64-bit range.
std::int64_t AmountValue(std::string_view amount);

// sum + value, held at the ends of the 64-bit range instead of wrapping: amounts beyond
// 2,147,483,647 are ordinary on invoices, and a hostile document must not wrap even 64 bits.
std::int64_t SaturatingAdd(std::int64_t sum, std::int64_t value);

// The sum with the amount's value added.
inline std::int64_t AddAmount(std::int64_t sum, std::string_view amount) {
    return SaturatingAdd(sum, AmountValue(amount));
}

}  // namespace ledgra
