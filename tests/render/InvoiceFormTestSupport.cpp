#include "tests/render/InvoiceFormTestSupport.h"

#include "settings/StoredSettings.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

std::vector<std::string> MakePlaceholderNames() {
    std::vector<std::string> names = {
        "IMG",      "등록번호P", "상호P",    "성명P",      "주소P",         "업태P",
        "종목P",    "등록번호R", "상호R",    "성명R",      "주소R",         "업태R",
        "종목R",    "작성년",    "작성월",   "작성일",     "공란수",        "비고",
        "합계금액", "현금",      "수표",     "어음",       "외상미수금",    "영수청구",
        "권",       "호",        "일련번호", "공급자인장", "공급받는자인장"};
    for (int k = 1; k <= 11; ++k) names.push_back("공" + std::to_string(k));
    for (int k = 1; k <= 10; ++k) names.push_back("세" + std::to_string(k));
    for (int k = 1; k <= 6; ++k) names.push_back("일련번호" + std::to_string(k));
    for (const char* row :
         {"월", "일", "품목", "규격", "수량", "단가", "공급가액", "세액", "비고"}) {
        for (int k = 1; k <= 4; ++k) names.push_back(row + std::to_string(k));
    }
    return names;
}

}  // namespace

const std::vector<std::string>& InvoiceFormPlaceholderNames() {
    static const std::vector<std::string> names = MakePlaceholderNames();
    return names;
}

InvoiceFormRendering::InvoiceFormRendering(bool builtInTemplates) {
    if (!builtInTemplates) {
        for (int id : {140, 141, 189, 190, 209, 210}) {
            folder.Write("templates/" + std::to_string(id) + ".html",
                         CellTemplate(id, InvoiceFormPlaceholderNames()));
        }
        templates = PageTemplates(folder.Path() / "templates");
    }
    std::filesystem::create_directories(folder.Path() / "Logs");
    // The log folder keeps its trailing separator, as the frame's does.
    frame.m_strLogFolder = (folder.Path() / "Logs" / "").native();
}

RenderedInvoice InvoiceFormRendering::Render(const Renderer& renderer,
                                             std::string_view utf8Content) {
    return RenderBytes(renderer, Cp949FromUtf8(utf8Content));
}

RenderedInvoice InvoiceFormRendering::RenderBytes(const Renderer& renderer,
                                                  const std::string& cp949Content) {
    const std::filesystem::path path = folder.Path() / "document";
    RenderContext context{frame, profile, templates, ui};
    RenderedInvoice rendered;
    rendered.page = renderer(context, RenderInput{path, cp949Content});
    rendered.cells = CellsOf(Utf8FromCp949(rendered.page));
    const auto id = rendered.cells.find("template");
    if (id != rendered.cells.end()) rendered.templateId = std::stoi(id->second);
    return rendered;
}

void InvoiceFormRendering::SetOwnNumber(std::string_view number) {
    StoredSettings(profile).StoreConfirmed("", std::string(number.substr(0, 3)),
                                           std::string(number.substr(3, 2)),
                                           std::string(number.substr(5)));
}

std::filesystem::path InvoiceFormRendering::SealFile(std::string_view fileName) const {
    return frame.m_strLogFolder / fileName;
}

}  // namespace ledgra::testing
