#include "render/Contract.h"

#include "base/Captions.h"
#include "render/Base64.h"
#include "render/ContractAttachments.h"
#include "render/ContractRecord.h"
#include "render/PlaceholderFill.h"
#include "render/XmlDocument.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The decoded body up to its first NUL byte; "&nbsp;" when the document's body is empty.
std::string BodyText(const std::string& body) {
    if (body.empty()) return "&nbsp;";
    std::string decoded = DecodeBase64Text(body);
    decoded.resize(std::min(decoded.size(), decoded.find('\0')));
    return decoded;
}

}  // namespace

RenderedPage RenderContract(const RenderContext& context, const RenderInput& input) {
    XmlDocument document;
    if (!document.LoadXmlText(input.content)) {
        context.ui.ShowMessage("XML 파일 로딩 에러"_cp949, ErrorCaption(),
                               MessageIcon::Exclamation);
        return {};
    }
    const ContractRecord record = ReadContract(document);

    std::optional<std::string> page = context.templates.LoadPageTemplate(kContractTemplate);
    if (!page) return {};
    FillPlaceholder(*page, ":계약서내용:"_cp949, BodyText(record.body));
    const std::string list = WriteContractAttachments(context.logFolder, record);
    FillPlaceholder(*page, ":첨부파일:"_cp949, list.empty() ? "&nbsp;" : list);
    return {std::move(*page)};
}

}  // namespace ledgra
