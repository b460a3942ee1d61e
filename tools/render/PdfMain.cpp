// ledgra-render-pdf: ledgra-render with the browser engine, which ledgra-render starts for
// --pdf and --thumbnail. The same run, and each page a document ended with saved as a PDF.

#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/VerificationSummary.h"
#include "tools/render/EngineProgram.h"
#include "tools/render/PageEngine.h"
#include "tools/render/PdfBatch.h"
#include "tools/render/CommandLine.h"
#include "tools/render/RenderCommand.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/ThumbnailCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (ledgra::IsThumbnailCommand(arguments)) return ledgra::RunThumbnailCommand(argc, argv);
    const ledgra::ParsedRenderOptions parsed = ledgra::ParseRenderOptions(arguments);
    if (!parsed.error.empty()) return ledgra::UsageError(parsed.error, ledgra::kRenderUsage);
    if (parsed.options.help) {
        std::fputs(ledgra::kRenderUsage, stdout);
        return ledgra::kAllShown;
    }
    if (!parsed.options.pdfFolder) return ledgra::RunRenderCommand(parsed.options);

    // The PDFs need the browser engine.
    const std::unique_ptr<QGuiApplication> application = ledgra::StartPageEngine(argc, argv);
    std::unique_ptr<ledgra::PdfBatch> pdfs;
    return ledgra::RunRenderCommand(
        parsed.options, [&](const std::filesystem::path& logFolder) -> ledgra::ShownPageSink {
            pdfs = std::make_unique<ledgra::PdfBatch>(*parsed.options.pdfFolder, logFolder);
            return [&pdfs](const std::filesystem::path& document,
                           const std::filesystem::path& htmlFile,
                           const ledgra::RunOutcome& outcome) {
                return pdfs->Write(document, htmlFile, ledgra::SummaryOfRun(outcome));
            };
        });
}
