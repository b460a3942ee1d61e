#include "app/PagePrinting.h"

#include <QFile>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "app/EngineWait.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PdfExport.h"

namespace ledgra {

bool NavigateAndWait(CNAVO_TaxExplorerView& view, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit) {
    const std::optional<bool> loaded = WaitForFinished(
        view, &QWebEngineView::loadFinished, [&] { view.Navigate2(htmlFile); }, limit,
        UserInput::Handled);
    return loaded.value_or(false);
}

void UsePrintResolution(QPrinter& printer) {
    const int resolution = printer.resolution();
    if (resolution < kPrintResolution || resolution > kMaxPrintResolution) {
        printer.setResolution(kPrintResolution);
    }
}

void UsePrintMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF now = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    const double side = std::max({kPrintMarginMm, now.left(), now.right(), least.left(), least.right()});
    layout.setMargins(QMarginsF(side, std::max({kPrintMarginMm, now.top(), least.top()}), side,
                                std::max({kPrintMarginMm, now.bottom(), least.bottom()})));
    printer.setPageLayout(layout);
}

bool PrintsToPdfFile(QPrinter& printer) {
    // While a preview is painted the printer paints into pictures, whatever its output format.
    const QPaintEngine* engine = printer.paintEngine();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           engine && engine->type() == QPaintEngine::Pdf;
}

PrintResult PrintPage(QWebEngineView& view, QPrinter& printer, PrintGuard::Scope& printing,
                      std::chrono::milliseconds limit) {
    PrintGuard& guard = printing.Guard();
    // The engine never finishes a second print started while one runs.
    if (guard.EnginePrinting()) return PrintResult::Busy;
    guard.EngineStarted(view);
    UsePrintMargins(printer);
    if (PrintsToPdfFile(printer)) {
        const bool saved =
            SavePageAsPdf(*view.page(), QFile::encodeName(printer.outputFileName()).toStdString(),
                          printer.pageLayout(), printer.pageRanges(), limit);
        guard.EngineFinished(view);
        return saved ? PrintResult::Printed : PrintResult::Failed;
    }
    UsePrintResolution(printer);
    // Also after a wait that gave up: the guard stays taken until the engine is done.
    QObject::connect(
        &view, &QWebEngineView::printFinished, &view,
        [&guard, &view](bool) { guard.EngineFinished(view); }, Qt::SingleShotConnection);
    const std::optional<bool> printed = WaitForFinished(
        view, &QWebEngineView::printFinished, [&] { view.print(&printer); }, limit,
        UserInput::HeldBack);
    if (!printed) return PrintResult::TimedOut;
    return *printed ? PrintResult::Printed : PrintResult::Failed;
}

void PaintPrintFailure(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    painter.drawText(painter.viewport(), Qt::AlignCenter,
                     QStringLiteral("인쇄할 페이지를 만들지 못했습니다."));
    painter.end();
}

}  // namespace ledgra
