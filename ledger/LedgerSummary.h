#pragma once
// The summary of ledger rows: count and sums of the invoices per counterparty, per month and
// per VAT period (1기 January to June, 2기 July to December), sales and purchases apart.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/LedgerModel.h"

namespace ledgra {

enum class SummaryGrouping { Counterparty, Month, VatPeriod };

struct SummaryLine {
    TradeSide side = TradeSide::None;
    SummaryGrouping grouping = SummaryGrouping::Counterparty;
    // "<등록번호> <상호>", "2024-03" or "2024년 1기"; UTF-8.
    std::string key;
    LedgerTotals totals;
};

// "거래처", "월" or "기".
std::string_view GroupingName(SummaryGrouping grouping);

// The invoices among `rows` of the ledger, summed: by side (매출, 매입, then the rest), then
// grouping, then key. The counterparty of a sale is its buyer, of any other invoice its
// supplier.
std::vector<SummaryLine> Summarize(const LedgerModel& ledger, const std::vector<std::size_t>& rows);

}  // namespace ledgra
