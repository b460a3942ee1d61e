#pragma once
// The page templates built into the program: code page 949 bytes, found by their numeric id.
// The table is generated at build time from res/templates/<id>.html.

#include <optional>
#include <span>
#include <string_view>

namespace ledgra {

// The exact bytes of template `id`, valid for the life of the program; nothing for an unknown id.
std::optional<std::string_view> EmbeddedTemplate(int id);

// Every built-in id, ascending.
std::span<const int> EmbeddedTemplateIds();

}  // namespace ledgra
