#pragma once
// The HTML content document: its body, tag and all, on page template 208.

#include <string>

#include "render/Renderer.h"

namespace ledgra {

inline constexpr int kContentPageTemplate = 208;

// The page of the verified content `input.content`: the text from its first "<body" to the
// end of its first "</body>" (both case-sensitive), as the markup it is. A text that lacks
// either tag, or closes its body before opening it, leaves the cell empty. A template that
// cannot be loaded gives "".
RenderedPage RenderContentPage(const RenderContext& context, const RenderInput& input);

}  // namespace ledgra
