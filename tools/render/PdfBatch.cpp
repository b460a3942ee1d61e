#include "tools/render/PdfBatch.h"

#include <cstdio>
#include <string>
#include <system_error>

#include "app/PdfExport.h"

namespace ledgra {
namespace {

void ReportFailure(const std::filesystem::path& pdf, const char* reason) {
    std::fprintf(stderr, "ledgra-render: %s: %s\n", pdf.c_str(), reason);
}

}  // namespace

PdfBatch::PdfBatch(std::filesystem::path folder, const std::filesystem::path& logFolder)
    : m_folder(std::move(folder)), m_profile(logFolder), m_page(m_profile) {
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);
}

std::filesystem::path PdfBatch::FreePdfPath(const std::filesystem::path& document) {
    const std::filesystem::path name = PdfFileName(document);
    std::filesystem::path path = m_folder / name;
    for (int number = 2; m_written.contains(path); ++number) {
        path = m_folder / (name.stem().native() + " (" + std::to_string(number) + ").pdf");
    }
    m_written.insert(path);
    return path;
}

bool PdfBatch::Write(const std::filesystem::path& document, const std::filesystem::path& htmlFile,
                     const VerificationSummary& proof) {
    const std::filesystem::path pdf = FreePdfPath(document);
    if (!LoadPageAndWait(m_page, htmlFile)) {
        ReportFailure(pdf, "the page did not load");
        return false;
    }
    if (!SavePageWithProof(m_page, pdf, proof)) {
        ReportFailure(pdf, "the PDF could not be made or written");
        return false;
    }
    return true;
}

}  // namespace ledgra
