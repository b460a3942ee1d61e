#pragma once
// The ledger: the rows of the documents read so far, and the view of them the user chose (a
// filter and a sort order), with the totals of the rows shown. Rows come one at a time as the
// reader delivers them; joining the ledger decides a row's 구분 from the own registration
// number, links an amended invoice to its original and marks approval numbers that repeat.
// A table model of the window sits on this class and holds no data of its own.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ledger/LedgerCell.h"
#include "ledger/LedgerRow.h"
#include "records/InvoiceChecks.h"

namespace ledgra {

struct LedgerFilter {
    // Matched, ignoring the case of Latin letters, against every text column.
    std::string text;
    // 작성일자 from and to, both included; a row without one is not shown under a range.
    std::optional<CalendarDate> from;
    std::optional<CalendarDate> to;
    std::optional<TradeSide> side;
    // The 분류 as the column shows it ("세금계산서", "계약서", ...); empty for every one.
    std::string className;
    // Only the rows with an error finding, and the documents that failed.
    bool errorsOnly = false;
};

struct LedgerTotals {
    std::size_t count = 0;  // rows, whatever their kind; the sums are the invoices'
    std::int64_t supply = 0;
    std::int64_t tax = 0;
    std::int64_t grandTotal = 0;
};

class LedgerModel {
public:
    // `ownNumber`: the user's registration number, dashes allowed; empty when not set.
    explicit LedgerModel(const std::string& ownNumber = {});

    void Append(LedgerRow row);
    void Clear();

    std::size_t RowCount() const { return m_rows.size(); }
    const LedgerRow& Row(std::size_t row) const { return m_rows[row]; }
    LedgerCell Cell(std::size_t row, std::size_t column) const;

    void SetFilter(LedgerFilter filter);
    const LedgerFilter& Filter() const { return m_filter; }
    // A stable sort, so a second column orders the rows the first leaves equal.
    void SortBy(std::size_t column, bool ascending);

    // The rows shown, in the order shown.
    const std::vector<std::size_t>& Shown() const;
    LedgerTotals Totals() const;

private:
    bool Passes(std::size_t row) const;

    std::string m_ownKey;
    std::vector<LedgerRow> m_rows;
    LedgerFilter m_filter;
    std::optional<std::size_t> m_sortColumn;
    bool m_ascending = true;
    ApprovalNumberSet m_approvalNumbers;
    // Approval number (dashes removed) to the first row carrying it.
    std::map<std::string, std::size_t> m_byApproval;
    // Original approval number to the amended rows that wait for their original.
    std::map<std::string, std::vector<std::size_t>> m_awaitingOriginal;
    mutable std::vector<std::size_t> m_shown;
    mutable bool m_shownStale = false;
};

}  // namespace ledgra
