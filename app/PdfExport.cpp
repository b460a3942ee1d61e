#include "app/PdfExport.h"

#include <QFile>
#include <QPageSize>
#include <QSaveFile>
#include <QWebEnginePage>

#include <memory>

#include "app/EngineWait.h"
#include "app/LockedPage.h"
#include "app/PdfProof.h"

namespace ledgra {
namespace {

// Writes the PDF beside the target and renames it over the target at the end: the file appears
// only whole. Nothing is written for an empty PDF.
bool WriteWhole(const std::filesystem::path& file, const QByteArray& pdf) {
    if (pdf.isEmpty()) return false;
    QSaveFile output(QFile::decodeName(QByteArray::fromStdString(file.native())));
    if (!output.open(QIODevice::WriteOnly)) return false;
    // A short write leaves the target untouched: the unfinished file goes with `output`.
    if (output.write(pdf) != pdf.size()) return false;
    return output.commit();
}

}  // namespace

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

std::filesystem::path PdfFileName(const std::filesystem::path& document) {
    std::filesystem::path name = document.filename();
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
