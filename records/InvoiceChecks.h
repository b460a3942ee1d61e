#pragma once
// The checks an accountant makes of a tax invoice, over its record. A rule applies where the
// record has the fields it needs; amounts of amended invoices may be negative, and the rules
// hold with their signs.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/Finding.h"
#include "records/InvoiceRecord.h"

namespace ledgra {

// The findings of rules K01 to K13, in rule order. `today` is the day of the check: an
// invoice written after it is worth a warning.
std::vector<Finding> CheckInvoice(const InvoiceRecord& record, const CalendarDate& today);

// Rule K14 over a set of documents checked together (a folder's ledger, a batch): the same
// approval number in two documents. Documents are added in the set's order; the later one of
// each pair is the one with the finding, which names the earlier.
class ApprovalNumberSet {
public:
    std::optional<Finding> Add(const InvoiceRecord& record, std::string_view documentName);

private:
    // Approval numbers without their dashes, and the document that had each first.
    std::unordered_map<std::string, std::string> m_firstDocument;
};

}  // namespace ledgra
