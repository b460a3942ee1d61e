#include "app/PagePrinting.h"

#include <QEventLoop>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTimer>

#include "app/NavoTaxExplorerView.h"
#include "app/PdfExport.h"

namespace ledgra {
namespace {

// The view whose print the engine is working on; null when none is.
QPointer<QWebEngineView> g_printingView;

}  // namespace

bool NavigateAndWait(CNAVO_TaxExplorerView& view, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit) {
    QPointer<CNAVO_TaxExplorerView> alive(&view);
    QEventLoop loop;
    bool loaded = false;
    const auto finished =
        QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
            loaded = ok;
            loop.quit();
        });
    QObject::connect(&view, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    view.Navigate2(htmlFile);
    loop.exec();
    if (alive) QObject::disconnect(finished);
    return alive && loaded;
}

void UsePrintResolution(QPrinter& printer) {
    const int resolution = printer.resolution();
    if (resolution < kPrintResolution || resolution > kMaxPrintResolution) {
        printer.setResolution(kPrintResolution);
    }
}

bool PrintsToPdfFile(QPrinter& printer) {
    // While a preview is painted the printer paints into pictures, whatever its output format.
    const QPaintEngine* engine = printer.paintEngine();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           engine && engine->type() == QPaintEngine::Pdf;
}

PrintResult PrintPage(QWebEngineView& view, QPrinter& printer, std::chrono::milliseconds limit) {
    // The engine never finishes a second print started while one runs.
    if (g_printingView) return PrintResult::Busy;
    if (PrintsToPdfFile(printer)) {
        QPointer<QWebEngineView> printing(&view);
        g_printingView = &view;
        const bool saved =
            SavePageAsPdf(*view.page(), QFile::encodeName(printer.outputFileName()).toStdString(),
                          printer.pageLayout(), printer.pageRanges(), limit);
        if (g_printingView == printing) g_printingView = nullptr;
        return saved ? PrintResult::Printed : PrintResult::Failed;
    }
    UsePrintResolution(printer);
    g_printingView = &view;
    QObject::connect(
        &view, &QWebEngineView::printFinished, &view,
        [viewPointer = &view](bool) {
            if (g_printingView == viewPointer) g_printingView = nullptr;
        },
        Qt::SingleShotConnection);

    QEventLoop loop;
    bool done = false;
    bool succeeded = false;
    const auto finished =
        QObject::connect(&view, &QWebEngineView::printFinished, &loop, [&](bool ok) {
            done = true;
            succeeded = ok;
            loop.quit();
        });
    QObject::connect(&view, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    view.print(&printer);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(finished);
    if (!done) return PrintResult::TimedOut;
    return succeeded ? PrintResult::Printed : PrintResult::Failed;
}

void PaintPrintFailure(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    painter.drawText(painter.viewport(), Qt::AlignCenter,
                     QStringLiteral("인쇄할 페이지를 만들지 못했습니다."));
    painter.end();
}

}  // namespace ledgra
