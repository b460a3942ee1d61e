// The folder ledger over 10,000 signed invoices: listing the folder, verifying every document,
// reading and checking its record, and the rows joining the ledger, on every core. Goal: at
// most 10 s on 2 cores. The peak memory of the process is reported beside the time.

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

#include "base/DocumentFiles.h"
#include "bench/LedgerInvoiceFolder.h"
#include "bench/PeakMemory.h"
#include "ledger/LedgerModel.h"
#include "ledger/LedgerReading.h"
#include "records/RecordValues.h"
#include "tests/support/SignedFixtures.h"

namespace ledgra::testing {
namespace {

void BM_LedgerOfTenThousandInvoices(benchmark::State& state) {
    const TempFolder& folder = InvoiceFolder();
    const SignedDataVerifierFactory verifiers = OpenSslVerifierFactory(folder.Path() / "trust");
    const CalendarDate today = Today();
    const std::atomic<bool> never{false};
    std::size_t failed = 0;
    for (auto _ : state) {
        LedgerModel ledger("1208812341");
        ReadLedgerRows(
            FindDocuments({folder.Path() / "documents"}, true).documents,
            [&](const std::filesystem::path& path) {
                return ReadLedgerRow(path, verifiers, today);
            },
            std::thread::hardware_concurrency(),
            [&](std::size_t, LedgerRow row) {
                failed += row.kind == LedgerDocumentKind::Failed;
                ledger.Append(std::move(row));
            },
            never);
        benchmark::DoNotOptimize(ledger.Totals());
        if (ledger.RowCount() != kInvoices) state.SkipWithError("not every invoice became a row");
    }
    if (failed > 0) state.SkipWithError("some invoices failed");
    ReportPeakMemory(state);
}
BENCHMARK(BM_LedgerOfTenThousandInvoices)->Apply(OneRunOverTheFolder);

}  // namespace
}  // namespace ledgra::testing
