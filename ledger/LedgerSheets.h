#pragma once
// The ledger as the tables an export writes: "목록" (the rows shown, in the order shown),
// "품목" (their line items), "요약" (their summary) and "검사" (their findings and the reasons
// of the documents that failed). Both export formats write these same tables.

#include <string>
#include <string_view>
#include <vector>

#include "ledger/LedgerCell.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerModel.h"

namespace ledgra {

struct SheetColumn {
    std::string_view title;
    CellKind kind;
    double width;
};

struct LedgerSheet {
    std::string_view name;
    std::vector<SheetColumn> columns;
    std::vector<std::vector<LedgerCell>> rows;
    // The sheet ends with a totals row over its amount columns.
    bool totalsRow = false;
};

struct LedgerSheets {
    LedgerSheet list;
    LedgerSheet items;
    LedgerSheet summary;
    LedgerSheet findings;
};

LedgerSheets MakeLedgerSheets(const LedgerModel& ledger);

}  // namespace ledgra
