#include "render/PageTemplates.h"

#include <fstream>
#include <string>
#include <system_error>

#include "res/EmbeddedTemplates.h"

namespace ledgra {
namespace {

// A template is a page of a few kilobytes; a file far larger than that in the template folder
// is not one and is not read whole.
constexpr std::size_t kMaxTemplateBytes = std::size_t{4} << 20;

std::optional<std::string> ReadTemplateFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    // The size is not taken from the file system beforehand: the file may change while it is
    // read, and the bound must hold whatever it reports.
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxTemplateBytes) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<std::string> PageTemplates::LoadPageTemplate(int id) const {
    if (m_folder) return ReadTemplateFile(*m_folder / (std::to_string(id) + ".html"));
    if (const auto page = EmbeddedTemplate(id)) return std::string(*page);
    return std::nullopt;
}

}  // namespace ledgra
