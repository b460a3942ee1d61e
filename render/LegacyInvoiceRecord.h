#pragma once
// Reading a legacy-schema tax invoice (element names with dots: "//Header", "//Summary",
// "//Line") into the invoice field table. Texts are code page 949 as the document gave them,
// untrimmed; where elements repeat, a later one overwrites what an earlier one stored.

#include <string>

#include "render/InvoiceFieldTable.h"
#include "render/XmlDocument.h"

namespace ledgra {

// The headers with their parties, the summaries with their payments and every line (the
// first four fill the rows; all are counted and summed). Throws XmlAccessError when a required
// element is missing.
InvoiceFields ReadLegacyInvoice(const XmlDocument& document);

// The text of the first "//ApplicationArea/Extension/DataType", empty when there is none.
std::string ReadLegacyDataType(const XmlDocument& document);

}  // namespace ledgra
