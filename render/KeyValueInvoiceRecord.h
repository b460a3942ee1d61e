#pragma once
// Reading a key-value tax invoice (the text of a "*.TSN" file, code page 949) into the invoice
// field table. The text is searched, not parsed: a value is the quoted text after its key, and
// a section's keys are searched from the first occurrence of its marker on, not bounded by the
// next section. A missing key or marker gives an empty value.

#include <string>
#include <string_view>
#include <vector>

#include "render/InvoiceFieldTable.h"

namespace ledgra {

struct KeyValueInvoice {
    // Names and business fields are joined by "@"; no line count or sums (the form shows the
    // four items it reads).
    InvoiceFields fields;
    // The seal images' Base64 texts of the "인감" section.
    std::string buyerStamp;
    std::string supplierStamp;
};

// The most items a record reads: more than any invoice has, and a bound on the memory a text
// of nothing but item markers can take.
inline constexpr std::size_t kMaxKeyValueItems = 9999;

// With `everyItem`, also every item whose marker the text holds, in number order up to the
// first missing one or kMaxKeyValueItems: items 1 to 4 as the rows read them, the later ones
// (which the form never shows) each searched from its marker up to the next item's marker, so
// that a text of many items is still read in linear time.
KeyValueInvoice ReadKeyValueInvoice(std::string_view text,
                                    std::vector<InvoiceItemTexts>* everyItem = nullptr);

}  // namespace ledgra
