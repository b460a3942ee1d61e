#pragma once
// The page templates: complete HTML pages in code page 949, found by their numeric id.

#include <filesystem>
#include <optional>
#include <string>

namespace ledgra {

class PageTemplates {
public:
    // The templates built into the program.
    PageTemplates() = default;
    // Templates read from a folder: template N is the file N.html, taken as bytes.
    explicit PageTemplates(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // The exact bytes of template `id`, or nothing when it cannot be found or read.
    std::optional<std::string> LoadPageTemplate(int id) const;

private:
    std::optional<std::filesystem::path> m_folder;
};

}  // namespace ledgra
