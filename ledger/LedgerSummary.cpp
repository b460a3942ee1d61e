#include "ledger/LedgerSummary.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "records/RecordValues.h"

namespace ledgra {
namespace {

constexpr std::string_view kUndated = "(작성일자 없음)";

int SideOrder(TradeSide side) {
    switch (side) {
        case TradeSide::Sale:
            return 0;
        case TradeSide::Purchase:
            return 1;
        case TradeSide::None:
            break;
    }
    return 2;
}

std::string MonthKey(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", date.year, date.month);
    return text;
}

std::string PeriodKey(const CalendarDate& date) {
    return std::to_string(date.year) + "년 " + (date.month <= 6 ? "1기" : "2기");
}

struct Group {
    std::string key;
    LedgerTotals totals;
};

void Add(Group& group, const InvoiceRecord& invoice) {
    ++group.totals.count;
    group.totals.supply += invoice.supplyTotal.value_or(0);
    group.totals.tax += invoice.taxTotal.value_or(0);
    group.totals.grandTotal += invoice.grandTotal.value_or(0);
}

}  // namespace

std::string_view GroupingName(SummaryGrouping grouping) {
    switch (grouping) {
        case SummaryGrouping::Counterparty:
            return "거래처";
        case SummaryGrouping::Month:
            return "월";
        case SummaryGrouping::VatPeriod:
            break;
    }
    return "기";
}

std::vector<SummaryLine> Summarize(const LedgerModel& ledger,
                                   const std::vector<std::size_t>& rows) {
    // (side order, grouping, sort key) to the group; the sort key of a counterparty is its
    // registration number, else its name.
    std::map<std::tuple<int, SummaryGrouping, std::string>, Group> groups;
    for (const std::size_t index : rows) {
        const LedgerRow& row = ledger.Row(index);
        if (!row.invoice) continue;
        const InvoiceRecord& invoice = *row.invoice;
        const int side = SideOrder(row.side);

        const InvoiceParty& party = row.side == TradeSide::Sale ? invoice.buyer : invoice.supplier;
        const std::string number = party.registrationNumber.value_or("");
        const std::string name = party.name.value_or("");
        const std::string partyKey = number.empty() ? name : WithoutDashes(number);
        Group& counterparty = groups[{side, SummaryGrouping::Counterparty, partyKey}];
        if (counterparty.key.empty()) {
            counterparty.key = number.empty() || name.empty() ? number + name : number + " " + name;
        }
        Add(counterparty, invoice);

        const std::string month =
            invoice.issueDate ? MonthKey(*invoice.issueDate) : std::string(kUndated);
        const std::string period =
            invoice.issueDate ? PeriodKey(*invoice.issueDate) : std::string(kUndated);
        Group& byMonth = groups[{side, SummaryGrouping::Month, month}];
        byMonth.key = month;
        Add(byMonth, invoice);
        Group& byPeriod = groups[{side, SummaryGrouping::VatPeriod, period}];
        byPeriod.key = period;
        Add(byPeriod, invoice);
    }

    std::vector<SummaryLine> lines;
    lines.reserve(groups.size());
    for (const auto& [order, group] : groups) {
        const TradeSide side = std::get<0>(order) == 0   ? TradeSide::Sale
                               : std::get<0>(order) == 1 ? TradeSide::Purchase
                                                         : TradeSide::None;
        lines.push_back(SummaryLine{side, std::get<1>(order), group.key, group.totals});
    }
    return lines;
}

}  // namespace ledgra
