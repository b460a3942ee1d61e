#pragma once
// The command line of ledgra-render.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ledgra {

struct RenderOptions {
    bool help = false;
    // The verify form of the run; otherwise the show form.
    bool verify = false;
    // Presses of the copy button after each document.
    int otherCopyPresses = 0;
    // The joined own registration number (as given, UTF-8).
    std::optional<std::string> ownNumber;
    std::optional<std::filesystem::path> logFolder;
    std::optional<std::filesystem::path> htmlFile;
    std::optional<std::filesystem::path> templatesFolder;
    std::optional<std::filesystem::path> trustFolder;
    // Where each document's shown page is saved as a PDF.
    std::optional<std::filesystem::path> pdfFolder;
    std::vector<std::filesystem::path> documents;
};

struct ParsedRenderOptions {
    RenderOptions options;
    // Empty when the command line is valid.
    std::string error;
};

// The arguments without the program name. Options and documents may be mixed; "--" ends the
// options.
ParsedRenderOptions ParseRenderOptions(const std::vector<std::string>& arguments);

extern const char* const kRenderUsage;

}  // namespace ledgra
