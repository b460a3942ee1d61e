#pragma once
// The XML contract document ("//DigitalContent/DataArea"): its body on page template 188 with
// a numbered list of links to its attachments, which are written into the log folder.

#include <string>

#include "render/Renderer.h"

namespace ledgra {

inline constexpr int kContractTemplate = 188;

// Reads the contract from the verified content `input.content` and returns the filled page.
// Content that does not load is reported to the user ("XML 파일 로딩 에러") and gives ""; a
// template that cannot be loaded gives "" without a message. A required element that is
// missing throws XmlAccessError. The body goes into the page as the markup it is.
RenderedPage RenderContract(const RenderContext& context, const RenderInput& input);

}  // namespace ledgra
