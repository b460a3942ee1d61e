#pragma once
// Everything the standard-schema invoice page shows, read from the document before the
// template is touched. Texts are code page 949 as the document gave them, untrimmed; a value
// that the document does not carry stays empty.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/InvoiceItemTexts.h"
#include "render/XmlDocument.h"

namespace ledgra {

struct StandardInvoiceParty {
    std::string registrationNumber;
    std::string name;
    std::string representative;
    std::string address;
    std::string businessType;
    std::string businessItem;
    std::string subPlaceNumber;
    std::string email;
};

inline constexpr std::size_t kStandardItemRows = 4;
inline constexpr std::size_t kStandardPaymentSlots = 4;

struct StandardInvoiceRecord {
    std::string approvalNumber;
    std::string issueDate;
    std::string purposeCode;
    std::string typeCode;
    // The first two DescriptionText elements of the whole document; broker lines follow the
    // second.
    std::array<std::string, 2> descriptions;
    StandardInvoiceParty supplier;
    StandardInvoiceParty buyer;
    // "<TypeCode>^<PaidAmount>" of the first four payment means, in document order.
    std::array<std::string, kStandardPaymentSlots> payments;
    std::string supplyTotal;
    std::string taxTotal;
    std::string grandTotal;
    // The first four line items; the count and the sums cover all of them.
    std::array<InvoiceItemTexts, kStandardItemRows> rows;
    std::int64_t itemCount = 0;
    std::int64_t supplySum = 0;
    std::int64_t taxSum = 0;
};

struct StandardInvoicePayment {
    std::string typeCode;
    std::string paidAmount;
};

// What the page does not show but the invoice's record holds, read only when asked for.
struct StandardInvoiceDetails {
    std::string amendmentReasonCode;     // AmendmentStatusCode
    std::string originalApprovalNumber;  // OriginalIssueID
    // Every broker party, with the values a broker carries (no business type or item).
    std::vector<StandardInvoiceParty> brokers;
    // Every payment means and every line item, in document order.
    std::vector<StandardInvoicePayment> payments;
    std::vector<InvoiceItemTexts> items;
};

// Reads the invoice's values in the document's reading order: invoice document, trade
// settlement (supplier, buyer, brokers), payment means, monetary summation, line items.
// Where an element repeats, the last one counts, except for the descriptions (the first two),
// the payment means (the first four) and the brokers (every one). Throws XmlAccessError when a
// required element is missing. With `details`, also reads those, by the same paths and with
// the same required elements.
StandardInvoiceRecord ReadStandardInvoice(const XmlDocument& document,
                                          StandardInvoiceDetails* details = nullptr);

}  // namespace ledgra
