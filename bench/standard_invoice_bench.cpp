// Rendering a real standard-schema invoice: loading the XML file, reading it, then the whole
// page (reading, copy choice, template, filling). The peers are xsltproc with a stylesheet of
// the same fields (bench/xslt/compare.sh times both) and, for the whole page, libxml2's parse
// of the same bytes (bench/peers/xml_parse.cpp, beside the load alone here).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/FileAccess.h"
#include "render/Renderer.h"
#include "render/StandardInvoice.h"
#include "render/StandardInvoiceRecord.h"
#include "render/XmlDocument.h"

namespace ledgra {
namespace {

// LEDGRA_BENCH_INVOICE names another invoice file to measure.
std::filesystem::path InvoiceFile() {
    if (const char* file = std::getenv("LEDGRA_BENCH_INVOICE")) return file;
    return LEDGRA_SHARED_SAMPLES "/real/xml/open-etaxbill_1-0101.xml";
}

class SilentUserInterface final : public UserInterface {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override { ++m_messages; }
    void SetStatusText(const std::string&) override {}
    void NavigateView(const std::filesystem::path&) override {}
    int m_messages = 0;
};

void BM_LoadStandardInvoice(benchmark::State& state) {
    const std::string bytes = ReadWholeFile(InvoiceFile());
    for (auto _ : state) {
        XmlDocument document;
        if (!document.LoadXmlBytes(bytes)) {
            state.SkipWithError("the invoice does not load");
            return;
        }
    }
}
BENCHMARK(BM_LoadStandardInvoice);

void BM_ReadStandardInvoice(benchmark::State& state) {
    const std::string bytes = ReadWholeFile(InvoiceFile());
    for (auto _ : state) {
        XmlDocument document;
        if (!document.LoadXmlBytes(bytes)) {
            state.SkipWithError("the invoice does not load");
            return;
        }
        benchmark::DoNotOptimize(ReadStandardInvoice(document));
    }
}
BENCHMARK(BM_ReadStandardInvoice);

void BM_RenderStandardInvoice(benchmark::State& state) {
    // The real samples carry no seal, so nothing is written here.
    const std::filesystem::path logFolder = (std::filesystem::temp_directory_path() / "").native();
    MemoryProfile profile;
    const PageTemplates templates;
    SilentUserInterface ui;
    const RenderContext context{logFolder, {}, profile, templates, ui};
    const std::string content = ReadWholeFile(InvoiceFile());
    const RenderInput input{content};
    std::size_t pageBytes = 0;
    for (auto _ : state) {
        const std::string page = RenderStandardInvoice(context, input).page;
        if (page.empty()) {
            state.SkipWithError("no page");
            return;
        }
        pageBytes = page.size();
        benchmark::DoNotOptimize(page);
    }
    state.counters["page_bytes"] = static_cast<double>(pageBytes);
}
BENCHMARK(BM_RenderStandardInvoice);

}  // namespace
}  // namespace ledgra
