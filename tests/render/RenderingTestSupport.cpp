#include "tests/render/RenderingTestSupport.h"

#include <algorithm>

#include "render/ContentPage.h"
#include "render/Contract.h"
#include "render/StandardInvoice.h"
#include "settings/StoredSettings.h"
#include "tests/render/StandardInvoiceTestSupport.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

constexpr std::string_view kBodyOpen = "{body:";
constexpr std::string_view kBetween = "}{list:";
constexpr std::string_view kEnd = "}";

// `names`, then the digit cells of the supply amount and of the tax and the four rows' cells.
std::vector<std::string> WithCellNames(std::vector<std::string> names, int supplyCells,
                                       int taxCells) {
    for (int k = 1; k <= supplyCells; ++k) names.push_back("공" + std::to_string(k));
    for (int k = 1; k <= taxCells; ++k) names.push_back("세" + std::to_string(k));
    for (const char* row :
         {"월", "일", "품목", "규격", "수량", "단가", "공급가액", "세액", "비고"}) {
        for (int k = 1; k <= 4; ++k) names.push_back(row + std::to_string(k));
    }
    return names;
}

std::vector<std::string> MakeFormPlaceholderNames() {
    std::vector<std::string> names = WithCellNames(
        {"IMG",      "등록번호P", "상호P",    "성명P",      "주소P",         "업태P",
         "종목P",    "등록번호R", "상호R",    "성명R",      "주소R",         "업태R",
         "종목R",    "작성년",    "작성월",   "작성일",     "공란수",        "비고",
         "합계금액", "현금",      "수표",     "어음",       "외상미수금",    "영수청구",
         "권",       "호",        "일련번호", "공급자인장", "공급받는자인장"},
        11, 10);
    for (int k = 1; k <= 6; ++k) names.push_back("일련번호" + std::to_string(k));
    return names;
}

std::vector<std::string> SortedNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().native());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Probe templates: the template id in the cell "template", then every named placeholder in a
// cell of its own, <td id="NAME">:NAME:</td> (code page 949).
std::map<int, std::string> CellTemplates(std::initializer_list<int> ids,
                                         const std::vector<std::string>& names) {
    std::string cells;
    for (const std::string& name : names) {
        cells += "<tr><td id=\"" + name + "\">:" + name + ":</td></tr>\n";
    }
    std::map<int, std::string> pages;
    for (int id : ids) {
        pages[id] =
            Cp949FromUtf8("<html><body><table>\n<tr><td id=\"template\">" + std::to_string(id) +
                          "</td></tr>\n" + cells + "</table></body></html>\n");
    }
    return pages;
}

}  // namespace

std::map<std::string, std::string> CellsOf(const std::string& utf8Page) {
    static constexpr std::string_view kOpen = "<td id=\"";
    std::map<std::string, std::string> cells;
    std::size_t at = utf8Page.find(kOpen);
    while (at != std::string::npos) {
        const std::size_t nameStart = at + kOpen.size();
        const std::size_t nameEnd = utf8Page.find("\">", nameStart);
        const std::size_t valueEnd = utf8Page.find("</td>", nameEnd);
        if (nameEnd == std::string::npos || valueEnd == std::string::npos) break;
        cells[utf8Page.substr(nameStart, nameEnd - nameStart)] =
            utf8Page.substr(nameEnd + 2, valueEnd - nameEnd - 2);
        at = utf8Page.find(kOpen, valueEnd);
    }
    return cells;
}

std::string RenderedInvoice::Cell(const std::string& name) const {
    const auto found = cells.find(name);
    return found == cells.end() ? "<no cell " + name + ">" : found->second;
}

Rendering::Rendering() : logFolder((folder.Path() / "Logs" / "").native()) {
    std::filesystem::create_directories(logFolder);
}

RenderedPage Rendering::Render(const Renderer& renderer, const std::string& content,
                               const std::string* signedXml) {
    const RenderContext context{logFolder, copy, profile, templates, ui};
    RenderedPage rendered = renderer(context, RenderInput{content, signedXml});
    if (rendered.copy != 0) copy.lastCopy = rendered.copy;
    return rendered;
}

RenderedInvoice Rendering::RenderCells(const Renderer& renderer, const std::string& content) {
    RenderedInvoice rendered;
    rendered.page = Render(renderer, content).page;
    rendered.cells = CellsOf(Utf8FromCp949(rendered.page));
    const auto id = rendered.cells.find("template");
    if (id != rendered.cells.end()) rendered.templateId = std::stoi(id->second);
    return rendered;
}

void Rendering::UseProbeTemplates(const std::map<int, std::string>& pages) {
    for (const auto& [id, page] : pages) {
        folder.Write("templates/" + std::to_string(id) + ".html", page);
    }
    templates = PageTemplates(folder.Path() / "templates");
}

void Rendering::SetOwnNumber(std::string_view number) {
    StoredSettings(profile).StoreConfirmed("", std::string(number.substr(0, 3)),
                                           std::string(number.substr(3, 2)),
                                           std::string(number.substr(5)));
}

InvoiceRendering::InvoiceRendering(bool builtInTemplates) {
    if (!builtInTemplates) {
        UseProbeTemplates(CellTemplates({213, 214}, StandardInvoicePlaceholderNames()));
    }
}

RenderedInvoice InvoiceRendering::Render(std::string_view xml) {
    return RenderCells(RenderStandardInvoice, std::string(xml));
}

RenderedInvoice InvoiceRendering::RenderFile(const std::filesystem::path& path) {
    return RenderCells(RenderStandardInvoice, ReadBytes(path));
}

std::filesystem::path InvoiceRendering::SupplierSealFile() const {
    return logFolder / "zova_supplier.gif";
}

const std::vector<std::string>& StandardInvoicePlaceholderNames() {
    static const std::vector<std::string> names = WithCellNames(
        {"제목",   "승인번호",      "IMG",           "등록번호P", "상호P",      "성명P",
         "주소P",  "종사업장번호P", "업태P",         "종목P",     "등록번호R",  "상호R",
         "성명R",  "주소R",         "종사업장번호R", "업태R",     "종목R",      "작성년",
         "작성월", "작성일",        "수정사유",      "비고",      "합계금액",   "현금",
         "수표",   "어음",          "외상미수금",    "영수청구",  "공급자인장", "공급받는자인장"},
        12, 11);
    return names;
}

const std::vector<std::string>& InvoiceFormPlaceholderNames() {
    static const std::vector<std::string> names = MakeFormPlaceholderNames();
    return names;
}

InvoiceFormRendering::InvoiceFormRendering(bool builtInTemplates) {
    if (!builtInTemplates) {
        UseProbeTemplates(
            CellTemplates({140, 141, 189, 190, 209, 210}, InvoiceFormPlaceholderNames()));
    }
}

RenderedInvoice InvoiceFormRendering::Render(const Renderer& renderer,
                                             std::string_view utf8Content) {
    return RenderCells(renderer, Cp949FromUtf8(utf8Content));
}

std::filesystem::path InvoiceFormRendering::SealFile(std::string_view fileName) const {
    return logFolder / fileName;
}

ContractRendering::ContractRendering(bool builtInTemplates) {
    if (builtInTemplates) return;
    UseProbeTemplates({{188, std::string(kBodyOpen) + ":계약서내용:"_cp949 + std::string(kBetween) +
                                 ":첨부파일:"_cp949 + std::string(kEnd)},
                       {208, "[" + ":내용:"_cp949 + "]"}});
}

std::string ContractRendering::RenderContract(const std::string& content) {
    return Render(ledgra::RenderContract, content).page;
}

std::string ContractRendering::RenderContentPage(const std::string& content) {
    return Render(ledgra::RenderContentPage, content).page;
}

std::string ContractRendering::BodyCell(const std::string& page) {
    if (!page.starts_with(kBodyOpen)) return "<no page>";
    const std::size_t between = page.rfind(kBetween);
    return page.substr(kBodyOpen.size(), between - kBodyOpen.size());
}

std::string ContractRendering::ListCell(const std::string& page) {
    const std::size_t between = page.rfind(kBetween);
    if (between == std::string::npos) return "<no page>";
    const std::size_t begin = between + kBetween.size();
    return page.substr(begin, page.size() - kEnd.size() - begin);
}

std::vector<std::string> ContractRendering::LogFiles() const {
    return SortedNames(logFolder);
}

std::vector<std::string> ContractRendering::FolderEntries() const {
    return SortedNames(folder.Path());
}

}  // namespace ledgra::testing
