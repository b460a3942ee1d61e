#pragma once
// Reading PDFs back with Poppler's command-line tools (poppler-utils), for the tests of the PDF
// export and of printing to a file.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ledgra::testing {

// Whether pdftotext and pdfinfo are installed; the tests that need them skip without them.
bool HasPopplerTools();

// The PDF's text (UTF-8, as pdftotext writes it); nullopt when pdftotext fails.
std::optional<std::string> PdfText(const std::filesystem::path& pdf);

// A field of pdfinfo's report ("Subject", "Pages"); empty when there is none.
std::string PdfInfoField(const std::filesystem::path& pdf, const std::string& field);

// The PDF's page count from pdfinfo; 0 when pdfinfo fails.
int PdfPageCount(const std::filesystem::path& pdf);

// The pixel sizes ("<width>x<height>") of the PDF's pictures, from pdfimages.
std::vector<std::string> PdfImageSizes(const std::filesystem::path& pdf);

// The names of the files attached to the PDF, from pdfdetach.
std::vector<std::string> PdfAttachmentNames(const std::filesystem::path& pdf);
// The bytes of attached file `number` (from 1); nullopt when pdfdetach fails.
std::optional<std::string> PdfAttachment(const std::filesystem::path& pdf, int number);

}  // namespace ledgra::testing
