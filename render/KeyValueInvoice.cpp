#include "render/KeyValueInvoice.h"

#include "render/InvoicePage.h"
#include "render/KeyValueInvoiceRecord.h"
#include "render/SealImages.h"

namespace ledgra {

RenderedPage RenderKeyValueInvoice(const RenderContext& context, const RenderInput& input) {
    const KeyValueInvoice invoice = ReadKeyValueInvoice(input.content);
    const InvoiceFieldTable& table = invoice.fields.table;

    InvoiceSeals seals;
    seals.buyer = WriteSealImage(context.logFolder, kBuyerSealFileName, invoice.buyerStamp);
    seals.supplier = WriteSealImage(context.logFolder, kSupplierSealFileName, invoice.supplierStamp);

    // An invoice without tax by its type code, or by having no tax at all.
    const std::string& typeCode = table[slot::kTypeCode];
    const bool withoutTax = typeCode == "02" || typeCode == "2" || table[slot::kTax].empty();
    const CopyTemplates templates = withoutTax ? kInvoiceWithoutTaxTemplates : kTaxInvoiceTemplates;
    const std::optional<ChosenCopy> chosen =
        ChooseCopy(table[slot::kSupplierNumber], context.copy, context.profile,
                   templates.supplierCopy, templates.buyerCopy);
    if (!chosen) return {};
    std::optional<std::string> page = context.templates.LoadPageTemplate(chosen->templateId);
    if (!page) return {.page = {}, .copy = chosen->copy};

    FillInvoicePage(*page, invoice.fields, seals, context.logFolder, kKeyValueInvoiceFillRules);
    return {std::move(*page), chosen->copy};
}

}  // namespace ledgra
