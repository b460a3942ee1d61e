#include "render/StandardInvoice.h"

#include "render/PageFilling.h"
#include "render/StandardInvoicePage.h"
#include "render/StandardInvoiceRecord.h"
#include "render/XmlDocument.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The seal image is written to the log folder formatted with "%s\zova_supplier.gif": with the
// folder's trailing separator the name has a doubled one and names the same file as the
// image path the page shows.
std::filesystem::path SupplierSealFile(const FrameState& frame) {
    return std::filesystem::path(frame.m_strLogFolder.native() + "/zova_supplier.gif");
}

// Decodes the seal and writes it, when the invoice carries one; returns the decoded image.
// A seal that cannot be written is not reported: the page still refers to its file.
std::string WriteSupplierSeal(const FrameState& frame, const std::string& stamp) {
    if (stamp.empty()) return {};
    std::string image = DecodeBase64Text(stamp);
    WriteGeneratedFile(SupplierSealFile(frame), image);
    return image;
}

}  // namespace

std::string RenderStandardInvoice(RenderContext& context, const RenderInput& input) {
    XmlDocument document;
    if (!(input.signedXml ? document.LoadXmlBytes(*input.signedXml)
                          : document.LoadXmlFile(input.documentPath))) {
        context.ui.ShowMessage("XML 파일 로딩 에러"_cp949, "에러 메시지"_cp949,
                               MessageIcon::Exclamation);
        return {};
    }
    const StandardInvoiceRecord record = ReadStandardInvoice(document);

    const std::optional<int> templateId =
        ChooseCopy(record.supplier.registrationNumber, context.frame, context.profile,
                   kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate);
    if (!templateId) return {};
    std::optional<std::string> page = context.templates.LoadPageTemplate(*templateId);
    if (!page) return {};

    const std::string seal = WriteSupplierSeal(context.frame, ReadSupplierStamp(document));
    FillStandardInvoicePage(*page, record, seal,
                            LogFolderPageText(context.frame, "zova_supplier.gif"));
    return std::move(*page);
}

}  // namespace ledgra
