// The folder ledger over 10,000 signed invoices in the window: from the folder's choice to the
// last row in the table, sorted by 합계 while the rows come, with the interface thread joining
// them as the reading runs on every core. Goal: at most 10 s on 2 cores and at most 300 MB more
// than the window with one page; the peak memory of the process is reported beside the time.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QEventLoop>
#include <QTableView>

#include <benchmark/benchmark.h>

#include "app/LedgerPane.h"
#include "app/LedgerTableModel.h"
#include "bench/LedgerInvoiceFolder.h"
#include "bench/PeakMemory.h"
#include "ledger/LedgerColumns.h"

namespace ledgra::testing {
namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "ledger_window_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

void BM_LedgerWindowOfTenThousandInvoices(benchmark::State& state) {
    Application();
    const TempFolder& folder = InvoiceFolder();
    for (auto _ : state) {
        LedgerPane pane(OpenSslVerifierFactory(folder.Path() / "trust"));
        pane.resize(1000, 700);
        pane.show();
        pane.Table().sortByColumn(static_cast<int>(kGrandTotalColumn), Qt::DescendingOrder);
        QEventLoop loop;
        QObject::connect(&pane, &LedgerPane::ReadingFinished, &loop, &QEventLoop::quit);
        pane.Open(folder.Path() / "documents", "1208812341");
        loop.exec();
        if (pane.Model().rowCount() != kInvoices) state.SkipWithError("not every invoice is shown");
    }
    ReportPeakMemory(state);
}
BENCHMARK(BM_LedgerWindowOfTenThousandInvoices)->Apply(OneRunOverTheFolder);

}  // namespace
}  // namespace ledgra::testing
