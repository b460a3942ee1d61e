#include "app/PdfExport.h"

#include <QPageSize>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <memory>

#include "app/EngineWait.h"
#include "app/LockedPage.h"
#include "app/PdfProof.h"
#include "base/FileAccess.h"
#include "filetree/NativeNames.h"

namespace ledgra {
namespace {

// The file appears only whole, under its exact bytes (a folder named in code page 949 is no
// other folder). Nothing is written for an empty PDF.
bool WriteWhole(const std::filesystem::path& file, const QByteArray& pdf) {
    if (pdf.isEmpty()) return false;
    return WriteOwnFile(file, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

// The body shrinks to its widest content and sits centred between the paper's margins; what
// is inside keeps its own layout. In the world of the viewer's scripts, which the page cannot
// reach; a page without a head gets the style on its root.
constexpr const char* kPrintLayoutScript = R"(
(function () {
  const style = document.createElement('style');
  style.textContent =
      '@media print { body { width: fit-content !important; margin: 0 auto !important; } }';
  (document.head || document.documentElement).appendChild(style);
})();
)";

}  // namespace

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                       QPageLayout::Millimeter);
}

void AddPrintLayout(QWebEngineProfile& profile) {
    QWebEngineScript script;
    script.setName(QStringLiteral("ledgra-print-layout"));
    script.setSourceCode(QString::fromLatin1(kPrintLayoutScript));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    profile.scripts()->insert(script);
}

std::filesystem::path PdfFileName(const std::filesystem::path& document) {
    std::filesystem::path name = DisplayPath(document.filename()).toStdString();
    name.replace_extension(".pdf");
    return name;
}

bool LoadPageAndWait(LockedPage& page, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit) {
    const std::optional<bool> loaded = WaitForFinished(
        page, &QWebEnginePage::loadFinished, [&] { page.LoadOwn(htmlFile); }, limit,
        UserInput::HeldBack);
    return loaded.value_or(false);
}

QByteArray PrintPageToPdf(QWebEnginePage& page, const QPageLayout& layout,
                          const QPageRanges& ranges, std::chrono::milliseconds limit) {
    // Shared with the engine's callback, which may come after the wait gave up.
    auto bytes = std::make_shared<QByteArray>();
    const bool printed = WaitForEngine(
        page,
        [&](const EngineDone& done) {
            page.printToPdf(
                [bytes, done](const QByteArray& pdf) {
                    *bytes = pdf;
                    done();
                },
                layout, ranges);
        },
        limit, UserInput::HeldBack);
    return printed ? *bytes : QByteArray();
}

bool SavePageAsPdf(QWebEnginePage& page, const std::filesystem::path& file,
                   const QPageLayout& layout, const QPageRanges& ranges,
                   std::chrono::milliseconds limit) {
    return WriteWhole(file, PrintPageToPdf(page, layout, ranges, limit));
}

bool SavePageWithProof(QWebEnginePage& page, const std::filesystem::path& file,
                       const VerificationSummary& proof) {
    const QByteArray printed = PrintPageToPdf(page);
    return !printed.isEmpty() && WriteWhole(file, WithProof(printed, proof));
}

}  // namespace ledgra
