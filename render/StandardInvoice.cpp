#include "render/StandardInvoice.h"

#include "base/Captions.h"
#include "render/PageFilling.h"
#include "render/SealImages.h"
#include "render/StandardInvoicePage.h"
#include "render/StandardInvoiceRecord.h"
#include "render/XmlDocument.h"
#include "text/Cp949.h"

namespace ledgra {

std::string RenderStandardInvoice(RenderContext& context, const RenderInput& input) {
    XmlDocument document;
    if (!(input.signedXml ? document.LoadXmlBytes(*input.signedXml)
                          : document.LoadXmlFile(input.documentPath))) {
        context.ui.ShowMessage("XML 파일 로딩 에러"_cp949, ErrorCaption(),
                               MessageIcon::Exclamation);
        return {};
    }
    const StandardInvoiceRecord record = ReadStandardInvoice(document);

    const std::optional<int> templateId =
        ChooseCopy(record.supplier.registrationNumber, context.copy, context.profile,
                   kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate);
    if (!templateId) return {};
    std::optional<std::string> page = context.templates.LoadPageTemplate(*templateId);
    if (!page) return {};

    const std::string seal =
        WriteSealImage(context.frame, kSupplierSealFileName, ReadSupplierStamp(document));
    FillStandardInvoicePage(*page, record, seal,
                            SealImagePageText(context.frame, kSupplierSealFileName));
    return std::move(*page);
}

}  // namespace ledgra
