// The XML signature check on the two hostile shapes of a real signed invoice: many namespace
// declarations over a deep chain with many leaves (canonicalisation work, refused up front
// within a fraction of a second), and a large signed text just under the 64 MiB cap and one
// over it (memory: the peak stays a few times the document's size; the larger one is refused
// before it is parsed). The counter peak_rss_MiB is the process's peak so far.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/PeakMemory.h"
#include "verify/XmlSignature.h"

namespace {

std::string SignedSample() {
    std::ifstream in(LEDGRA_SHARED_SAMPLES "/real/xml/etaxbill-certifier_6-0101_signed.xml",
                     std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The sample with `body` added to its signed part: its signature still verifies, its digest
// no longer does, so an unbounded check would canonicalise it three times.
std::string WithSignedBody(const std::string& sample, const std::string& body) {
    const std::size_t end = sample.rfind("</TaxInvoice>");
    return sample.substr(0, end) + body + sample.substr(end);
}

// 59 declarations on a chain element (61 in scope with the root's), a 240-deep chain below it
// and 950,000 empty leaves at its bottom: 3.8 MB.
std::string NamespacesDepthLeaves() {
    std::string body = "<Chain";
    for (int prefix = 0; prefix < 59; ++prefix) {
        body += " xmlns:n" + std::to_string(10 + prefix) + "=\"urn:n" + std::to_string(prefix) +
                "\"";
    }
    body += ">";
    for (int level = 0; level < 240; ++level) body += "<c>";
    for (int leaf = 0; leaf < 950'000; ++leaf) body += "<e/>";
    for (int level = 0; level < 240; ++level) body += "</c>";
    return body + "</Chain>";
}

std::string LargeText(std::size_t bytes) {
    return "<Big>" + std::string(bytes, 'A') + "</Big>";
}

void Check(benchmark::State& state, const std::string& body) {
    const std::string sample = SignedSample();
    if (sample.empty()) {
        state.SkipWithError("no shared samples");
        return;
    }
    const std::string document = WithSignedBody(sample, body);
    for (auto _ : state) {
        const ledgra::XmlSignatureCheck check = ledgra::CheckXmlSignature(document);
        if (check.state != ledgra::XmlSignatureCheck::State::Refused) {
            state.SkipWithError("the document was not refused");
        }
    }
    state.counters["document_MiB"] = static_cast<double>(document.size()) / (1 << 20);
    ReportPeakMemory(state);
}

void BM_LargeTextJustUnderTheCap(benchmark::State& state) {
    Check(state, LargeText(std::size_t{62} << 20));
}
BENCHMARK(BM_LargeTextJustUnderTheCap)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NamespacesDepthLeaves(benchmark::State& state) {
    Check(state, NamespacesDepthLeaves());
}
BENCHMARK(BM_NamespacesDepthLeaves)->Unit(benchmark::kMillisecond);

void BM_LargeTextOverTheCap(benchmark::State& state) {
    Check(state, LargeText(std::size_t{250} << 20));
}
BENCHMARK(BM_LargeTextOverTheCap)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
