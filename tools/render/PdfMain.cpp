// ledgra-render-pdf: ledgra-render with the browser engine, which it starts for --pdf. The same
// run, and each page a document ended with saved as a PDF.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/PageScheme.h"
#include "tools/render/PdfBatch.h"
#include "tools/render/RenderCommand.h"
#include "tools/render/RenderOptions.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ledgra::ParsedRenderOptions parsed = ledgra::ParseRenderOptions(arguments);
    if (!parsed.error.empty()) return ledgra::RenderUsageError(parsed.error);
    if (parsed.options.help) {
        std::fputs(ledgra::kRenderUsage, stdout);
        return ledgra::kAllShown;
    }
    if (!parsed.options.pdfFolder) return ledgra::RunRenderCommand(parsed.options);

    // The PDFs need the browser engine, which runs under an application object; no window is
    // shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ledgra::RegisterPageScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's start-up report is not ours to print.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    const QGuiApplication application(argc, argv);
    std::unique_ptr<ledgra::PdfBatch> pdfs;
    return ledgra::RunRenderCommand(
        parsed.options, [&](const std::filesystem::path& logFolder) -> ledgra::ShownPageSink {
            pdfs = std::make_unique<ledgra::PdfBatch>(*parsed.options.pdfFolder, logFolder);
            return [&pdfs](const std::filesystem::path& document,
                           const std::filesystem::path& htmlFile,
                           const std::optional<ledgra::VerificationSummary>& proof) {
                return pdfs->Write(document, htmlFile, proof);
            };
        });
}
