// The bounds on XML input: a hostile document just under the input cap is refused within a
// couple of seconds and a few times its size in memory; the XML signature check of a real
// invoice.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "render/XmlDocument.h"
#include "verify/XmlSignature.h"

namespace {

void BM_EmptyElementsJustUnderTheCap(benchmark::State& state) {
    std::string document = "<r>";
    while (document.size() + 8 < (std::size_t{60} << 20)) document += "<a/>";
    document += "</r>";
    for (auto _ : state) {
        ledgra::XmlDocument doc;
        benchmark::DoNotOptimize(doc.LoadXmlBytes(document));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_EmptyElementsJustUnderTheCap)->Unit(benchmark::kMillisecond);

void BM_RealInvoiceSignature(benchmark::State& state) {
    const std::filesystem::path sample =
        LEDGRA_SHARED_SAMPLES "/real/xml/etaxbill-certifier_6-0101_signed.xml";
    std::ifstream in(sample, std::ios::binary);
    const std::string document((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (document.empty()) {
        state.SkipWithError("no shared samples");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(ledgra::CheckXmlSignature(document));
}
BENCHMARK(BM_RealInvoiceSignature)->Unit(benchmark::kMicrosecond);

}  // namespace
