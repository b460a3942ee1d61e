#pragma once
// The one fill step of the tax invoice, invoice-without-tax and payment receipt forms
// (templates 140, 141, 189, 190, 209, 210), shared by the legacy-schema and key-value
// renderers. Where the two differ, the difference is an explicit rule.

#include <filesystem>
#include <string>

#include "render/CellText.h"
#include "render/InvoiceFieldTable.h"

namespace ledgra {

// The two copies of one form: the supplier's is the renderers' matching template.
struct CopyTemplates {
    int supplierCopy;
    int buyerCopy;
};
inline constexpr CopyTemplates kTaxInvoiceTemplates{141, 140};
inline constexpr CopyTemplates kInvoiceWithoutTaxTemplates{190, 189};
inline constexpr CopyTemplates kPaymentReceiptTemplates{210, 209};

// When a row's cell shows "&nbsp;" instead of its value.
enum class RowBlanking {
    EmptyAndUndated,  // only when the value is empty and the row has no date
    EmptyOrUndated,   // whenever the value is empty or the row has no date
};

struct InvoiceFillRules {
    // What joins representative and company, business type and business item in one slot.
    char separator;
    // A 13-character registration number is cut 6-7; otherwise every number is cut 3-2-5.
    bool sixSevenCutForThirteen;
    // A split slot whose separator stands first blanks both of its cells.
    bool blankBothWhenFirstPartEmpty;
    // The remarks lose every two-character sequence "\n" (backslash, letter n).
    bool removeEscapedLineBreaks;
    // More than four lines: row 1 summarises them all and rows 2 to 4 stay blank.
    bool summaryRows;
    RowDateForms rowDates;
    RowBlanking rowBlanking;
    // "&nbsp;" follows the 규격 (size or model) and the quantity of a row.
    bool spaceAfterStandardAndQuantity;
    // A grand total that is empty or "0" shows "0"; otherwise such a total is blank.
    bool zeroGrandTotal;
    // "영수" when the indicator is "01" or empty, else "청구"; otherwise always "청구".
    bool receiptByIndicator;
};

// The legacy-schema invoice: "^", 6-7 cut, "\n" removed, summary rows, "0" total, 영수/청구 by
// its indicator.
extern const InvoiceFillRules kLegacyInvoiceFillRules;
// The key-value invoice: "@", always 3-2-5, remarks as they are, always rows of their own,
// MMDD dates, blank total, always 청구.
extern const InvoiceFillRules kKeyValueInvoiceFillRules;

// Fills every invoice placeholder of the page, in the form's fixed order (a value that holds a
// later placeholder's text is filled by that later step too). Document values are put in as
// text; the seal tags name the seal images in the log folder.
void FillInvoicePage(std::string& page, const InvoiceFields& fields, const InvoiceSeals& seals,
                     const std::filesystem::path& logFolder, const InvoiceFillRules& rules);

}  // namespace ledgra
