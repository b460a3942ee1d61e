#include "app/PdfExport.h"

#include <QPageSize>
#include <QWebEnginePage>

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

}  // namespace

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
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
