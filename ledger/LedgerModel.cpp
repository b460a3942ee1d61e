#include "ledger/LedgerModel.h"

#include <algorithm>
#include <utility>

#include "ledger/LedgerColumns.h"
#include "records/RecordValues.h"

namespace ledgra {
namespace {

std::string FoldLatin(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

TradeSide SideOf(const InvoiceRecord& invoice, const std::string& ownKey) {
    if (ownKey.empty()) return TradeSide::None;
    if (WithoutDashes(invoice.supplier.registrationNumber.value_or("")) == ownKey) {
        return TradeSide::Sale;
    }
    if (WithoutDashes(invoice.buyer.registrationNumber.value_or("")) == ownKey) {
        return TradeSide::Purchase;
    }
    return TradeSide::None;
}

std::int64_t AmountOf(const LedgerCell& cell) {
    const auto* amount = std::get_if<std::int64_t>(&cell);
    return amount ? *amount : 0;
}

}  // namespace

LedgerModel::LedgerModel(const std::string& ownNumber) : m_ownKey(WithoutDashes(ownNumber)) {}

void LedgerModel::Append(LedgerRow row) {
    const std::size_t index = m_rows.size();
    row.side = row.invoice ? SideOf(*row.invoice, m_ownKey) : TradeSide::None;
    row.original.reset();
    row.duplicateApproval = false;
    m_rows.push_back(std::move(row));
    m_shownStale = true;
    if (!m_rows[index].invoice) return;
    const InvoiceRecord& invoice = *m_rows[index].invoice;

    if (invoice.originalApprovalNumber) {
        const std::string originalKey = WithoutDashes(*invoice.originalApprovalNumber);
        const auto original = m_byApproval.find(originalKey);
        if (original != m_byApproval.end()) {
            m_rows[index].original = original->second;
        } else if (!originalKey.empty()) {
            m_awaitingOriginal[originalKey].push_back(index);
        }
    }
    if (auto duplicate =
            m_approvalNumbers.Add(invoice, ValidUtf8(m_rows[index].path.generic_string()))) {
        m_rows[index].findings.push_back(std::move(*duplicate));
    }
    if (!invoice.approvalNumber) return;
    const std::string key = WithoutDashes(*invoice.approvalNumber);
    if (key.empty()) return;
    const auto [first, isFirst] = m_byApproval.emplace(key, index);
    if (!isFirst) {
        m_rows[first->second].duplicateApproval = true;
        m_rows[index].duplicateApproval = true;
    }
    if (const auto waiting = m_awaitingOriginal.find(key); waiting != m_awaitingOriginal.end()) {
        for (const std::size_t amended : waiting->second) m_rows[amended].original = index;
        m_awaitingOriginal.erase(waiting);
    }
}

void LedgerModel::Clear() {
    m_rows.clear();
    m_approvalNumbers = {};
    m_byApproval.clear();
    m_awaitingOriginal.clear();
    m_shown.clear();
    m_shownStale = false;
}

LedgerCell LedgerModel::Cell(std::size_t row, std::size_t column) const {
    return LedgerColumns()[column].value(m_rows[row]);
}

void LedgerModel::SetFilter(LedgerFilter filter) {
    filter.text = FoldLatin(std::move(filter.text));
    m_filter = std::move(filter);
    m_shownStale = true;
}

void LedgerModel::SortBy(std::size_t column, bool ascending) {
    m_sortColumn = column;
    m_ascending = ascending;
    m_shownStale = true;
}

bool LedgerModel::Passes(std::size_t index) const {
    const LedgerRow& row = m_rows[index];
    if (m_filter.errorsOnly && !row.HasErrors()) return false;
    if (m_filter.side && row.side != *m_filter.side) return false;
    if (!m_filter.className.empty() &&
        PlainText(LedgerColumns()[kClassColumn].value(row)) != m_filter.className) {
        return false;
    }
    if (m_filter.from || m_filter.to) {
        const auto date = row.invoice ? row.invoice->issueDate : std::nullopt;
        if (!date || (m_filter.from && *date < *m_filter.from) ||
            (m_filter.to && *m_filter.to < *date)) {
            return false;
        }
    }
    if (m_filter.text.empty()) return true;
    for (const LedgerColumn& column : LedgerColumns()) {
        if (column.kind != CellKind::Text) continue;
        if (FoldLatin(PlainText(column.value(row))).find(m_filter.text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

const std::vector<std::size_t>& LedgerModel::Shown() const {
    if (!m_shownStale) return m_shown;
    m_shown.clear();
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (Passes(row)) m_shown.push_back(row);
    }
    if (m_sortColumn) {
        // The keys once per row, not once per comparison.
        std::vector<std::pair<LedgerCell, std::size_t>> keyed;
        keyed.reserve(m_shown.size());
        for (const std::size_t row : m_shown) keyed.emplace_back(Cell(row, *m_sortColumn), row);
        std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
            return CellLess(a.first, b.first, m_ascending);
        });
        for (std::size_t i = 0; i < keyed.size(); ++i) m_shown[i] = keyed[i].second;
    }
    m_shownStale = false;
    return m_shown;
}

LedgerTotals LedgerModel::Totals() const {
    LedgerTotals totals;
    for (const std::size_t row : Shown()) {
        ++totals.count;
        totals.supply += AmountOf(Cell(row, kSupplyColumn));
        totals.tax += AmountOf(Cell(row, kTaxColumn));
        totals.grandTotal += AmountOf(Cell(row, kGrandTotalColumn));
    }
    return totals;
}

}  // namespace ledgra
