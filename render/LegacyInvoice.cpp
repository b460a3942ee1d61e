#include "render/LegacyInvoice.h"

#include "render/InvoicePage.h"
#include "render/LegacyInvoiceRecord.h"
#include "render/SealImages.h"
#include "text/ByteString.h"

namespace ledgra {
namespace {

// A payment receipt by its data type, an invoice without tax by its type code, otherwise a tax
// invoice.
CopyTemplates TemplatesFor(const std::string& dataType, const std::string& typeCode) {
    if (dataType == "09") return kPaymentReceiptTemplates;
    if (typeCode == "02" || typeCode == "2") return kInvoiceWithoutTaxTemplates;
    return kTaxInvoiceTemplates;
}

}  // namespace

RenderedPage RenderLegacyInvoice(const RenderContext& context, const RenderInput& input) {
    XmlDocument document;
    // A text that does not parse leaves the document empty: the page is made of blank cells.
    document.LoadXmlText(ReplaceAll(input.content, "&quot;", "\""));
    const InvoiceFields fields = ReadLegacyInvoice(document);
    const std::string dataType = ReadLegacyDataType(document);

    const CopyTemplates templates = TemplatesFor(dataType, fields.table[slot::kTypeCode]);
    const std::optional<ChosenCopy> chosen =
        ChooseCopy(fields.table[slot::kSupplierNumber], context.copy, context.profile,
                   templates.supplierCopy, templates.buyerCopy);
    if (!chosen) return {};
    std::optional<std::string> page = context.templates.LoadPageTemplate(chosen->templateId);
    if (!page) return {.page = {}, .copy = chosen->copy};

    InvoiceSeals seals;
    seals.supplier =
        WriteSealImage(context.logFolder, kSupplierSealFileName, ReadSupplierStamp(document));
    FillInvoicePage(*page, fields, seals, context.logFolder, kLegacyInvoiceFillRules);
    return {std::move(*page), chosen->copy};
}

}  // namespace ledgra
