// Filling a whole invoice page: every placeholder of the supplier's tax invoice template, with
// the digit cells, seal cells and formatters a renderer uses, on the page string and on the
// template's one-pass plan.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "render/Base64.h"
#include "render/DigitCells.h"
#include "render/FillPlan.h"
#include "render/Formatters.h"
#include "render/PageTemplates.h"
#include "render/PlaceholderFill.h"
#include "render/SealCells.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr int kSupplierTaxInvoice = 141;

// A placeholder is a name between two colons; markup, blanks, slashes and quotes never stand
// in a name, which keeps style rules ("font-size:9pt;") and addresses ("http://") out.
std::vector<std::string> FindPlaceholders(std::string_view page) {
    constexpr std::string_view kNotInName = " \t\r\n<>;/\"'=(){}";
    std::set<std::string> found;
    std::size_t open = page.find(':');
    while (open != std::string_view::npos) {
        const std::size_t close = page.find(':', open + 1);
        if (close == std::string_view::npos) break;
        const std::string_view name = page.substr(open + 1, close - open - 1);
        if (!name.empty() && name.size() <= 40 &&
            name.find_first_of(kNotInName) == std::string_view::npos) {
            found.emplace(page.substr(open, close - open + 1));
            open = page.find(':', close + 1);
        } else {
            open = close;
        }
    }
    return {found.begin(), found.end()};
}

bool IsDigitCell(const std::string& placeholder, const std::string& prefix) {
    if (placeholder.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string_view rest = std::string_view(placeholder).substr(prefix.size());
    return rest.size() >= 2 && rest.find_first_not_of("0123456789") == rest.size() - 1;
}

struct InvoicePage {
    std::string page;
    std::vector<std::string> plain;  // placeholders filled with a demo value
    int supplyCells = 0;
    int taxCells = 0;
};

InvoicePage LoadInvoicePage(benchmark::State& state) {
    InvoicePage invoice;
    std::optional<std::string> page = PageTemplates().LoadPageTemplate(kSupplierTaxInvoice);
    if (!page) {
        state.SkipWithError("template 141 is not available");
        return invoice;
    }
    invoice.page = std::move(*page);
    const std::string supply = ":공"_cp949;
    const std::string tax = ":세"_cp949;
    for (const std::string& placeholder : FindPlaceholders(invoice.page)) {
        if (IsDigitCell(placeholder, supply)) {
            ++invoice.supplyCells;
        } else if (IsDigitCell(placeholder, tax)) {
            ++invoice.taxCells;
        } else if (placeholder != ":공급자인장:"_cp949 && placeholder != ":공급받는자인장:"_cp949 &&
                   placeholder != ":인장1:"_cp949 && placeholder != ":인장2:"_cp949) {
            invoice.plain.push_back(placeholder);
        }
    }
    return invoice;
}

// The fills of a supplier's page, on a page string or on the template's one-pass plan; the
// supplier's seal image last, as the renderers put it.
template <typename Page>
void FillAll(Page& page, const InvoicePage& invoice) {
    const std::string demoValue = "주식회사 가나다"_cp949;
    const std::string sealPath = "/home/user/Documents/ZOVA/Logs/zova_supplier.gif";
    DigitCells(page, ":공"_cp949, "1234567", invoice.supplyCells);
    DigitCells(page, ":세"_cp949, "123456", invoice.taxCells);
    SealCell(page, ":공급받는자인장:"_cp949, "", SealMark(), BuyerSealTag(), ":인장1:"_cp949, "");
    for (const std::string& placeholder : invoice.plain) {
        FillPlaceholder(page, placeholder, demoValue);
    }
    SealCell(page, ":공급자인장:"_cp949, "GIF89a", TextSealBox(), SupplierSealTag(),
             ":인장2:"_cp949, sealPath);
}

void Counters(benchmark::State& state, const InvoicePage& invoice) {
    state.counters["placeholders"] =
        static_cast<double>(invoice.plain.size() +
                            static_cast<std::size_t>(invoice.supplyCells + invoice.taxCells) + 2);
    state.counters["page_bytes"] = static_cast<double>(invoice.page.size());
}

void FillInvoicePage(benchmark::State& state) {
    const InvoicePage invoice = LoadInvoicePage(state);
    for (auto _ : state) {
        std::string page = invoice.page;
        FillAll(page, invoice);
        benchmark::DoNotOptimize(page.data());
    }
    Counters(state, invoice);
}
BENCHMARK(FillInvoicePage);

void FillInvoicePagePlanned(benchmark::State& state) {
    const InvoicePage invoice = LoadInvoicePage(state);
    const FillPlan* plan = BuiltInFillPlan(invoice.page);
    if (plan == nullptr) {
        state.SkipWithError("template 141 has no plan");
        return;
    }
    for (auto _ : state) {
        PageFill page(*plan);
        FillAll(page, invoice);
        benchmark::DoNotOptimize(page.Take());
    }
    Counters(state, invoice);
}
BENCHMARK(FillInvoicePagePlanned);

void FormatAmounts(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatAmount("1,234,567,890.55"));
        benchmark::DoNotOptimize(GroupDigits("1234567.5"));
    }
}
BENCHMARK(FormatAmounts);

void DecodeSeal(benchmark::State& state) {
    // A seal image of some 6 KB, as Base64 with line breaks every 64 characters.
    std::string text;
    for (int line = 0; line < 128; ++line) text += std::string(64, 'Q') + "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(DecodeBase64Text(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(DecodeSeal);

}  // namespace
}  // namespace ledgra
