#include "render/StandardInvoice.h"

#include "base/Captions.h"
#include "render/CopyChoice.h"
#include "render/SealImages.h"
#include "render/StandardInvoicePage.h"
#include "render/StandardInvoiceRecord.h"
#include "render/XmlDocument.h"
#include "text/Cp949.h"

namespace ledgra {

RenderedPage RenderStandardInvoice(const RenderContext& context, const RenderInput& input) {
    XmlDocument document;
    const bool loaded = input.signedXml ? document.LoadXmlBytes(*input.signedXml)
                                        : document.LoadXmlBytes(input.content, input.contentTree);
    if (!loaded) {
        context.ui.ShowMessage("XML 파일 로딩 에러"_cp949, ErrorCaption(),
                               MessageIcon::Exclamation);
        return {};
    }
    const StandardInvoiceRecord record = ReadStandardInvoice(document);

    const std::optional<ChosenCopy> chosen =
        ChooseCopy(record.supplier.registrationNumber, context.copy, context.profile,
                   kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate);
    if (!chosen) return {};
    std::optional<std::string> page = context.templates.LoadPageTemplate(chosen->templateId);
    if (!page) return {.page = {}, .copy = chosen->copy};

    const std::string seal =
        WriteSealImage(context.logFolder, kSupplierSealFileName, ReadSupplierStamp(document));
    FillStandardInvoicePage(*page, record, seal,
                            SealImagePageText(context.logFolder, kSupplierSealFileName));
    return {std::move(*page), chosen->copy};
}

}  // namespace ledgra
