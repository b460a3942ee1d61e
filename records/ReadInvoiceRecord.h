#pragma once
// Reading an invoice document's record, by the same readers the renderers use. Reading never
// writes a file: no seal image, no page.

#include <optional>
#include <string_view>

#include "records/InvoiceRecord.h"
#include "render/XmlDocument.h"

namespace ledgra {

// The invoice schema of a document pattern (upper-cased, such as "*.KTX"), by the renderer
// the run chooses for it; nothing for the contract and the content page.
std::optional<InvoiceSchema> InvoiceSchemaFor(std::string_view pattern);

// The record of a verified invoice document: `content` is what its renderer reads (for "*.XML"
// the document file's bytes, or the document of its signed nodes; for the others the verified
// content). Nothing when the pattern is no invoice's or the content cannot be read as one:
// XML that does not load, or a standard-schema invoice that lacks a required element.
// `contentTree`, when given, is the tree the check kept of `content`, taken instead of a parse.
std::optional<InvoiceRecord> ReadInvoiceRecord(std::string_view pattern, std::string_view content,
                                               const ParsedXml* contentTree = nullptr);

}  // namespace ledgra
