#pragma once
// The key-value tax invoice (the content of "*.TSN" files and of every pattern no other
// renderer takes) rendered into the tax invoice (141 supplier's copy, 140 buyer's) or the
// invoice without tax (190, 189).

#include <string>

#include "render/Renderer.h"

namespace ledgra {

// Renders the verified text `input.content` (code page 949); nothing in it is required. Writes
// both parties' seal images into the log folder before the template is chosen, when the text
// carries them; no copy to show or a template that cannot be loaded gives "". Returns the copy
// it chose.
RenderedPage RenderKeyValueInvoice(const RenderContext& context, const RenderInput& input);

}  // namespace ledgra
