#pragma once
// Reading a key-value tax invoice (the text of a "*.TSN" file, code page 949) into the invoice
// field table. The text is searched, not parsed: a value is the quoted text after its key, and
// a section's keys are searched from the first occurrence of its marker on, not bounded by the
// next section. A missing key or marker gives an empty value.

#include <string>
#include <string_view>

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

KeyValueInvoice ReadKeyValueInvoice(std::string_view text);

}  // namespace ledgra
