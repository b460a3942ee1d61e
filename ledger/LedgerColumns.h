#pragma once
// The columns of the ledger, in the order it shows and exports them, and the value of each
// for a row. The window's table, the filter, the sorting, the totals and both exports read
// this one table.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ledger/LedgerCell.h"
#include "ledger/LedgerRow.h"

namespace ledgra {

enum class CellKind { Text, Amount, Date };

struct LedgerColumn {
    std::string_view title;  // UTF-8
    CellKind kind;
    double width;  // in characters, for the spreadsheet
    LedgerCell (*value)(const LedgerRow& row);
};

std::span<const LedgerColumn> LedgerColumns();

inline constexpr std::size_t kApprovalColumn = 2;
inline constexpr std::size_t kClassColumn = 4;  // 분류, which the filter chooses from
// Columns the totals and the summary add up.
inline constexpr std::size_t kSupplyColumn = 12;
inline constexpr std::size_t kTaxColumn = 13;
inline constexpr std::size_t kGrandTotalColumn = 14;
inline constexpr std::size_t kOriginalApprovalColumn = 17;
inline constexpr std::size_t kFileColumn = 21;

// 매출, 매입 or "".
std::string_view TradeSideName(TradeSide side);

}  // namespace ledgra
