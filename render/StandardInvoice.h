#pragma once
// The standard-schema electronic tax invoice ("//TaxInvoice/TaxInvoiceDocument" with its trade
// settlement and line items) rendered into page template 213 (buyer's copy) or 214
// (supplier's copy).

#include <string>

#include "render/Renderer.h"

namespace ledgra {

inline constexpr int kStandardBuyerCopyTemplate = 213;
inline constexpr int kStandardSupplierCopyTemplate = 214;

// Loads the verified invoice (`input.signedXml` when there is one, else `input.content`, both
// the bytes of an XML file) and returns the filled page. A document that does not load is reported to the user ("XML 파일 로딩 에러") and gives "";
// no copy to show or a template that cannot be loaded gives "" without a message. A required
// element that is missing throws XmlAccessError. Writes the supplier's seal image into the
// log folder when the invoice carries one, and returns the copy it chose.
RenderedPage RenderStandardInvoice(const RenderContext& context, const RenderInput& input);

}  // namespace ledgra
