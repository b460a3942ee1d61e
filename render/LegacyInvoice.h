#pragma once
// The legacy-schema tax invoice (document files "*.KTX") rendered into the tax invoice (141
// supplier's copy, 140 buyer's), the invoice without tax (190, 189) or the payment receipt
// (210, 209).

#include <string>

#include "render/Renderer.h"

namespace ledgra {

// Renders the verified text `input.content` (code page 949). A text that does not parse gives
// the chosen template with blank cells and no message; no copy to show or a template that
// cannot be loaded gives "". A required element that is missing throws XmlAccessError. Writes
// the supplier's seal image into the log folder when the invoice carries one. Returns the
// copy it chose.
RenderedPage RenderLegacyInvoice(const RenderContext& context, const RenderInput& input);

}  // namespace ledgra
