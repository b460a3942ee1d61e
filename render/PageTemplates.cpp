#include "render/PageTemplates.h"

#include <string>

#include "base/FileAccess.h"
#include "res/EmbeddedTemplates.h"

namespace ledgra {
namespace {

// A template is a page of a few kilobytes; a file far larger than that in the template folder
// is not one and is not read whole.
constexpr std::size_t kMaxTemplateBytes = std::size_t{4} << 20;

}  // namespace

std::optional<std::string> PageTemplates::LoadPageTemplate(int id) const {
    if (m_folder) {
        return ReadRegularFile(*m_folder / (std::to_string(id) + ".html"), kMaxTemplateBytes);
    }
    if (const auto page = EmbeddedTemplate(id)) return std::string(*page);
    return std::nullopt;
}

}  // namespace ledgra
