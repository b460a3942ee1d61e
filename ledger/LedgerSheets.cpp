#include "ledger/LedgerSheets.h"

#include "ledger/LedgerSummary.h"

namespace ledgra {
namespace {

LedgerCell Text(const std::optional<std::string>& text) {
    if (!text || text->empty()) return {};
    return *text;
}

LedgerCell Amount(const std::optional<std::int64_t>& amount) {
    if (!amount) return {};
    return *amount;
}

LedgerSheet ListSheet(const LedgerModel& ledger) {
    LedgerSheet sheet{"목록", {}, {}, true};
    for (const LedgerColumn& column : LedgerColumns()) {
        sheet.columns.push_back({column.title, column.kind, column.width});
    }
    for (const std::size_t row : ledger.Shown()) {
        std::vector<LedgerCell>& cells = sheet.rows.emplace_back();
        for (std::size_t column = 0; column < sheet.columns.size(); ++column) {
            cells.push_back(ledger.Cell(row, column));
        }
    }
    return sheet;
}

LedgerSheet ItemsSheet(const LedgerModel& ledger) {
    LedgerSheet sheet{"품목",
                      {{"승인번호", CellKind::Text, 28},
                       {"작성일자", CellKind::Date, 11},
                       {"공급자 상호", CellKind::Text, 20},
                       {"순번", CellKind::Amount, 6},
                       {"품목일자", CellKind::Text, 10},
                       {"품목명", CellKind::Text, 24},
                       {"규격", CellKind::Text, 12},
                       {"수량", CellKind::Text, 8},
                       {"단가", CellKind::Text, 12},
                       {"공급가액", CellKind::Amount, 14},
                       {"세액", CellKind::Amount, 14},
                       {"비고", CellKind::Text, 20}},
                      {},
                      false};
    for (const std::size_t row : ledger.Shown()) {
        const auto& invoice = ledger.Row(row).invoice;
        if (!invoice) continue;
        std::int64_t number = 0;
        for (const InvoiceLine& line : invoice->lines) {
            LedgerCell date;
            if (invoice->issueDate) date = *invoice->issueDate;
            sheet.rows.push_back({Text(invoice->approvalNumber), date, Text(invoice->supplier.name),
                                  ++number, Text(line.date), Text(line.name), Text(line.standard),
                                  Text(line.quantity), Text(line.unitPrice),
                                  Amount(line.supplyAmount), Amount(line.tax), Text(line.remark)});
        }
    }
    return sheet;
}

LedgerSheet SummarySheet(const LedgerModel& ledger) {
    LedgerSheet sheet{"요약",
                      {{"구분", CellKind::Text, 6},
                       {"기준", CellKind::Text, 8},
                       {"항목", CellKind::Text, 32},
                       {"건수", CellKind::Amount, 8},
                       {"공급가액", CellKind::Amount, 16},
                       {"세액", CellKind::Amount, 16},
                       {"합계", CellKind::Amount, 16}},
                      {},
                      false};
    for (const SummaryLine& line : Summarize(ledger, ledger.Shown())) {
        LedgerCell side;
        if (line.side != TradeSide::None) side = std::string(TradeSideName(line.side));
        sheet.rows.push_back({side, std::string(GroupingName(line.grouping)), line.key,
                              static_cast<std::int64_t>(line.totals.count), line.totals.supply,
                              line.totals.tax, line.totals.grandTotal});
    }
    return sheet;
}

LedgerSheet FindingsSheet(const LedgerModel& ledger) {
    LedgerSheet sheet{"검사",
                      {{"파일", CellKind::Text, 40},
                       {"승인번호", CellKind::Text, 28},
                       {"규칙", CellKind::Text, 6},
                       {"수준", CellKind::Text, 6},
                       {"내용", CellKind::Text, 60}},
                      {},
                      false};
    for (const std::size_t index : ledger.Shown()) {
        const LedgerRow& row = ledger.Row(index);
        const LedgerCell file = ledger.Cell(index, kFileColumn);
        if (row.kind == LedgerDocumentKind::Failed) {
            sheet.rows.push_back(
                {file, {}, {}, std::string(SeverityName(Severity::Error)), row.failure});
        }
        const LedgerCell approval = row.invoice ? Text(row.invoice->approvalNumber) : LedgerCell{};
        for (const Finding& finding : row.findings) {
            sheet.rows.push_back({file, approval, finding.rule,
                                  std::string(SeverityName(finding.severity)), finding.message});
        }
    }
    return sheet;
}

}  // namespace

LedgerSheets MakeLedgerSheets(const LedgerModel& ledger) {
    return {ListSheet(ledger), ItemsSheet(ledger), SummarySheet(ledger), FindingsSheet(ledger)};
}

}  // namespace ledgra
