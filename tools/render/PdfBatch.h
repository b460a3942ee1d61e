#pragma once
// The PDFs of one run of ledgra-render: every page that a document ended with is printed into
// a PDF named after the document. One engine page serves the whole batch.

#include <filesystem>
#include <set>

#include "app/LockedPage.h"
#include "app/PageProfile.h"
#include "app/VerificationSummary.h"

namespace ledgra {

class PdfBatch {
public:
    // Needs the application object; the folder is created when missing. Pages are served from
    // the log folder as the viewer serves them.
    PdfBatch(std::filesystem::path folder, const std::filesystem::path& logFolder);

    // Prints the html file into <folder>/<document name>.pdf, with the proof of the run that
    // made it attached; a second document of the same name in the batch gets "<name> (2).pdf"
    // and so on, so that no PDF of the batch is overwritten. False, with a line on the error
    // output, when the PDF cannot be made.
    bool Write(const std::filesystem::path& document, const std::filesystem::path& htmlFile,
               const VerificationSummary& proof);

private:
    std::filesystem::path FreePdfPath(const std::filesystem::path& document);

    std::filesystem::path m_folder;
    PageProfile m_profile;
    LockedPage m_page;
    std::set<std::filesystem::path> m_written;
};

}  // namespace ledgra
