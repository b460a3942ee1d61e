#pragma once
// Which renderer makes the page of a verified document, by its pattern.

#include <functional>
#include <string>
#include <string_view>

#include "render/RenderContext.h"

namespace ledgra {

// Makes the whole page (code page 949) of a verified document; an empty page means failure.
// `content` is the verified content; the standard-schema invoice reads its file itself.
using Renderer = std::function<std::string(RenderContext& context, const std::string& content)>;

// One renderer per document schema.
struct DocumentRenderers {
    Renderer standardInvoice;
    Renderer legacyInvoice;
    Renderer contract;
    Renderer contentPage;
    Renderer keyValueInvoice;
};

// The renderers of the product.
const DocumentRenderers& ProductRenderers();

// The renderer for an upper-cased pattern such as "*.KTX": "*.XML" the standard-schema
// invoice, "*.KTX" the legacy-schema invoice, "*.KCX" the contract, "*.CQS" the content page,
// and every other pattern, "*.TSN" included, the key-value invoice.
const Renderer& RendererFor(std::string_view pattern, const DocumentRenderers& renderers);

}  // namespace ledgra
