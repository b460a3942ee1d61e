#pragma once
// One tax invoice, whichever of the three schemas it came in: the values an accountant reads
// and checks, and the ledger lists. Texts are UTF-8, converted from code page 949 once when
// the record is read; amounts are signed won (amended invoices carry negative ones). A value
// the document does not carry is absent, never zero or empty: the checks skip what is absent.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ledgra {

enum class InvoiceSchema {
    Standard,  // the XML of TaxInvoiceDocument, TaxInvoiceTradeSettlement, ...
    Legacy,    // the XML of dotted element names ("Document.DateTime")
    KeyValue,  // the "key=value" text of a "*.TSN" file
};

// A day of the calendar; only valid days are ever held.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend auto operator<=>(const CalendarDate&, const CalendarDate&) = default;
};

struct InvoiceParty {
    std::optional<std::string> registrationNumber;  // as written, dashes included
    std::optional<std::string> subPlaceNumber;      // 종사업장번호
    std::optional<std::string> name;                // 상호
    std::optional<std::string> representative;      // 대표자
    std::optional<std::string> address;
    std::optional<std::string> email;
    std::optional<std::string> businessType;  // 업태
    std::optional<std::string> businessItem;  // 종목
};

enum class PaymentMeans { Cash, Cheque, PromissoryNote, Credit };

struct InvoicePayment {
    std::string code;                   // as the document wrote it
    std::optional<PaymentMeans> means;  // absent for a code of none of the four
    std::optional<std::int64_t> amount;
};

struct InvoiceLine {
    // As written: the forms carry a month and day ("0105") as often as a whole date.
    std::optional<std::string> date;
    std::optional<std::string> name;      // 품목
    std::optional<std::string> standard;  // 규격: size or model
    // Quantity and unit price may have decimals, so they stay texts.
    std::optional<std::string> quantity;
    std::optional<std::string> unitPrice;
    std::optional<std::int64_t> supplyAmount;  // 공급가액
    std::optional<std::int64_t> tax;           // 세액
    std::optional<std::string> remark;
};

// A value the document carries that does not read as its field's kind (an amount, a date):
// the field stays absent and the checks name the text.
struct UnreadableValue {
    std::string field;  // the field's Korean name, as findings name it (records/RecordFields.h)
    std::string text;
    std::optional<std::size_t> line;  // from 1, for the value of a line
};

struct InvoiceRecord {
    InvoiceSchema schema = InvoiceSchema::Standard;
    std::optional<std::string> approvalNumber;  // 승인번호
    std::optional<std::string> typeCode;        // e.g. "0101": 분류 then 종류
    // The legacy and key-value forms' own type code instead: "02" or "2" an invoice
    // without tax.
    std::optional<std::string> formTypeCode;
    std::optional<std::string> purposeCode;             // 01 영수, 02 청구
    std::optional<std::string> amendmentReasonCode;     // 수정사유
    std::optional<std::string> originalApprovalNumber;  // of the invoice an amendment amends
    std::optional<CalendarDate> issueDate;              // 작성일자
    InvoiceParty supplier;
    InvoiceParty buyer;
    std::optional<InvoiceParty> broker;       // consignment invoices only
    std::optional<std::string> remarks;       // 비고
    std::optional<std::int64_t> supplyTotal;  // 공급가액
    std::optional<std::int64_t> taxTotal;     // 세액
    std::optional<std::int64_t> grandTotal;   // 합계
    std::vector<InvoicePayment> payments;
    std::vector<InvoiceLine> lines;  // every line, beyond the form's four rows too
    std::vector<UnreadableValue> unreadable;
};

}  // namespace ledgra
