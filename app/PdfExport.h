#pragma once
// Saving a shown page as a PDF: the browser engine prints it as vectors (text stays text, so it
// can be selected and searched), and the file is written whole or not at all.

#include <QByteArray>
#include <QPageLayout>
#include <QPageRanges>

#include <chrono>
#include <filesystem>

class QWebEnginePage;
class QWebEngineProfile;

namespace ledgra {

class LockedPage;
struct VerificationSummary;

inline constexpr std::chrono::milliseconds kPdfPageLoadLimit{30'000};
inline constexpr std::chrono::milliseconds kPdfPrintLimit{60'000};

// The paper's margin on every side in print and PDF, clear of most printers' unprintable edge.
inline constexpr double kPrintMarginMm = 10;

// A4 upright with kPrintMarginMm on every side.
QPageLayout PdfPageLayout();

// Gives the profile's pages a style for paper only: the page's own margin gives way to the
// paper's, and its content is centred across the paper. The screen shows pages unchanged.
void AddPrintLayout(QWebEngineProfile& profile);

// The name of a document's PDF: the document's name as the user reads it, in UTF-8, with ".pdf"
// in place of its extension.
std::filesystem::path PdfFileName(const std::filesystem::path& document);

// Loads the html file into the page (decoded as the viewer shows it) and waits, bounded, while
// everything but user input is handled. False when the load failed or the limit passed.
bool LoadPageAndWait(LockedPage& page, const std::filesystem::path& htmlFile,
                     std::chrono::milliseconds limit = kPdfPageLoadLimit);

// The loaded page printed as a PDF (empty ranges: every page); empty when the engine failed or
// the limit passed.
QByteArray PrintPageToPdf(QWebEnginePage& page, const QPageLayout& layout = PdfPageLayout(),
                          const QPageRanges& ranges = {},
                          std::chrono::milliseconds limit = kPdfPrintLimit);

// Prints the loaded page into the file. The file appears only when all of it was written; on
// failure an earlier file of that name stays as it was and nothing half-written is left.
bool SavePageAsPdf(QWebEnginePage& page, const std::filesystem::path& file,
                   const QPageLayout& layout = PdfPageLayout(), const QPageRanges& ranges = {},
                   std::chrono::milliseconds limit = kPdfPrintLimit);

// The same for the page of a verified document, with the proof of its verification attached
// (see PdfProof.h).
bool SavePageWithProof(QWebEnginePage& page, const std::filesystem::path& file,
                       const VerificationSummary& proof);

}  // namespace ledgra
