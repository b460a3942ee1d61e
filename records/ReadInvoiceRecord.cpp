#include "records/ReadInvoiceRecord.h"

#include <exception>

#include "records/SchemaRecordReaders.h"
#include "render/LegacyInvoiceRecord.h"
#include "render/Renderer.h"

namespace ledgra {

std::optional<InvoiceSchema> InvoiceSchemaFor(std::string_view pattern) {
    // The run's table decides which renderer, and so which schema, a pattern has.
    static const DocumentRenderers kSchemas;
    const Renderer* chosen = &RendererFor(pattern, kSchemas);
    if (chosen == &kSchemas.standardInvoice) return InvoiceSchema::Standard;
    if (chosen == &kSchemas.legacyInvoice) return InvoiceSchema::Legacy;
    if (chosen == &kSchemas.keyValueInvoice) return InvoiceSchema::KeyValue;
    return std::nullopt;
}

std::optional<InvoiceRecord> ReadInvoiceRecord(std::string_view pattern, std::string_view content,
                                               const ParsedXml* contentTree) {
    const std::optional<InvoiceSchema> schema = InvoiceSchemaFor(pattern);
    if (!schema) return std::nullopt;
    try {
        switch (*schema) {
            case InvoiceSchema::Standard: {
                XmlDocument document;
                if (!document.LoadXmlBytes(content, contentTree)) return std::nullopt;
                return ReadStandardInvoiceRecord(document);
            }
            case InvoiceSchema::Legacy: {
                // Loaded as its renderer loads it; but where the page would show an empty form
                // for text that does not parse, there is no record to check.
                XmlDocument document;
                if (!LoadLegacyInvoiceText(document, content)) return std::nullopt;
                return ReadLegacyInvoiceRecord(document);
            }
            case InvoiceSchema::KeyValue:
                return ReadKeyValueInvoiceRecord(content);
        }
    } catch (const std::exception&) {
        // A missing required element, or a document too large to hold.
    }
    return std::nullopt;
}

}  // namespace ledgra
