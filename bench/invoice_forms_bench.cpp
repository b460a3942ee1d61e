// Rendering legacy-schema and key-value invoices of 4 and of 200 lines into the built-in forms
// (reading, copy choice, template, filling). A 200-line legacy document must cost at most three
// times a 4-line one: the reading is linear, also for a hostile document whose 200 headers each
// carry parties (the document-wide party paths are asked once, not once per header).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "render/KeyValueInvoice.h"
#include "render/LegacyInvoice.h"
#include "render/XmlDocument.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

class SilentUserInterface final : public UserInterface {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    void SetStatusText(const std::string&) override {}
    void NavigateView(const std::filesystem::path&) override {}
};

std::string Element(const std::string& name, const std::string& text) {
    return "<" + name + ">" + text + "</" + name + ">";
}

std::string Header() {
    return Element("Management.Identifier", "KTX-1") + Element("Description.Text", "점검") +
           Element("Volume.Identifier", "3") + Element("Issue.Identifier", "12") +
           Element("Sequence.Identifier", "000123") + Element("Document.DateTime", "20240430") +
           Element("TaxInvoice.Type.Code", "01") + Element("Tax.Demand.Indicator", "02") +
           Element("Blank.Number", "4");
}

std::string Party(const std::string& side) {
    return Element(side,
                   Element("Party.Name", "박마바") + Element("Party.Identifier", "1358854321") +
                       Element("Business", Element("Organization.Name", "마바정보통신") +
                                               Element("BusinessType.Name", "서비스") +
                                               Element("BusinessClassification.Name", "유지보수")) +
                       Element("Address", Element("Address.Line1.Text", "부산")));
}

std::string Line(int i) {
    return Element("Line",
                   Element("TaxItem", Element("Item.Name", "품목 " + std::to_string(i)) +
                                          Element("Definition.Text", "규격")) +
                       Element("Transaction.DateTime", "20240430") + Element("Item.Quantity", "2") +
                       Element("Item.Basis.Amount", "1,500") + Element("Item.Amount", "3,000") +
                       Element("Tax.Amount", "300") + Element("Description.Text", "비고"));
}

// `lines` item lines; with `hostile`, as many headers with parties as lines.
std::string LegacyDocument(int lines, bool hostile) {
    const std::string header = Element(
        "Header", Header() + Element("Parties", Party("SupplierParty") + Party("BuyerParty")));
    std::string xml = "<TaxInvoice>" + header;
    for (int i = 1; hostile && i < lines; ++i) xml += header;
    xml += Element("Summary", Element("Charge.Amount", "1500000") +
                                  Element("TotalTax.Amount", "150000") +
                                  Element("Total.Amount", "1650000"));
    for (int i = 0; i < lines; ++i) xml += Line(i);
    return Cp949FromUtf8(xml + "</TaxInvoice>");
}

std::string KeyValueDocument(int items) {
    std::string text =
        "<세금계산서 증서구분=\"01\" 작성일=\"20240520\" 책권=\"1\" 책호=\"5\" 전표번호1=\"45\" "
        "공란수=\"5\" 비고=\"납품\">\n<공급자 등록번호=\"2148867890\" 회사명=\"다라물산\" "
        "대표자=\"이다라\" 업태=\"제조\" 종목=\"전자부품\" 사업장소재지=\"성남\"/>\n<공급받는자 "
        "등록번호=\"1208812345\" 회사명=\"가나상사\" 대표자=\"김가나\" 업태=\"도소매\" "
        "종목=\"사무용품\" 사업장소재지=\"서울\"/>\n<결제정보 공급가액=\"880000\" 세액=\"88000\" "
        "합계금액=\"968000\"/>\n";
    for (int i = 1; i <= items; ++i) {
        text += "<상품" + std::to_string(i) +
                " 월일=\"0517\" 품목=\"케이블\" 규격=\"1m\" 수량=\"200\" 단가=\"2500\" "
                "공급가액=\"500000\" 세액=\"50000\" 비고=\"묶음\"/>\n";
    }
    return Cp949FromUtf8(text + "<인감 공급받는자=\"\" 공급자=\"\"/>\n</세금계산서>\n");
}

void RenderDocument(benchmark::State& state, const Renderer& renderer,
                    const std::string& document) {
    const std::filesystem::path logFolder = (std::filesystem::temp_directory_path() / "").native();
    MemoryProfile profile;
    const PageTemplates templates;
    SilentUserInterface ui;
    const RenderContext context{logFolder, {}, profile, templates, ui};
    const RenderInput input{document};
    for (auto _ : state) {
        const std::string page = renderer(context, input).page;
        if (page.empty()) {
            state.SkipWithError("no page");
            return;
        }
        benchmark::DoNotOptimize(page);
    }
    state.counters["document_bytes"] = static_cast<double>(document.size());
}

void BM_RenderLegacyInvoice(benchmark::State& state) {
    RenderDocument(state, RenderLegacyInvoice,
                   LegacyDocument(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_RenderLegacyInvoice)->Arg(4)->Arg(200);

// The document load alone (code page 949 to UTF-8, then parsing), which grows with the bytes.
void BM_LoadLegacyDocument(benchmark::State& state) {
    const std::string document = LegacyDocument(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        XmlDocument xml;
        benchmark::DoNotOptimize(xml.LoadXmlText(document));
    }
}
BENCHMARK(BM_LoadLegacyDocument)->Arg(4)->Arg(200);

void BM_RenderHostileLegacyInvoice(benchmark::State& state) {
    RenderDocument(state, RenderLegacyInvoice,
                   LegacyDocument(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_RenderHostileLegacyInvoice)->Arg(4)->Arg(200);

void BM_RenderKeyValueInvoice(benchmark::State& state) {
    RenderDocument(state, RenderKeyValueInvoice,
                   KeyValueDocument(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RenderKeyValueInvoice)->Arg(4)->Arg(200);

}  // namespace
}  // namespace ledgra
