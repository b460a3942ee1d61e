#pragma once
// Reading a legacy-schema tax invoice (element names with dots: "//Header", "//Summary",
// "//Line") into the invoice field table. Texts are code page 949 as the document gave them,
// untrimmed; where elements repeat, a later one overwrites what an earlier one stored.

#include <string>
#include <string_view>
#include <vector>

#include "render/InvoiceFieldTable.h"
#include "render/XmlDocument.h"

namespace ledgra {

// Loads a legacy document's text as its renderer does: every "&quot;" becomes a double quote
// first. False when the text does not parse.
bool LoadLegacyInvoiceText(XmlDocument& document, std::string_view content);

// The headers with their parties, the summaries with their payments and every line (the
// first four fill the rows; all are counted and summed). Throws XmlAccessError when a required
// element is missing. With `everyLine`, every line's values are also kept there, those of
// the lines beyond the rows too, each date as the line wrote it (not the row's).
InvoiceFields ReadLegacyInvoice(const XmlDocument& document,
                                std::vector<InvoiceItemTexts>* everyLine = nullptr);

// The text of the first "//ApplicationArea/Extension/DataType", empty when there is none.
std::string ReadLegacyDataType(const XmlDocument& document);

}  // namespace ledgra
