#include <array>

#include "base/DocumentPatterns.h"
#include "render/ContentPage.h"
#include "render/Contract.h"
#include "render/KeyValueInvoice.h"
#include "render/LegacyInvoice.h"
#include "render/Renderer.h"
#include "render/StandardInvoice.h"

namespace ledgra {
namespace {

struct RendererRow {
    std::string_view pattern;
    Renderer DocumentRenderers::*renderer;
};

constexpr std::array kRendererRows{
    RendererRow{kStandardInvoicePattern, &DocumentRenderers::standardInvoice},
    RendererRow{kLegacyInvoicePattern, &DocumentRenderers::legacyInvoice},
    RendererRow{kContractPattern, &DocumentRenderers::contract},
    RendererRow{kContentPagePattern, &DocumentRenderers::contentPage},
};

}  // namespace

const DocumentRenderers& ProductRenderers() {
    static const DocumentRenderers renderers{
        .standardInvoice = RenderStandardInvoice,
        .legacyInvoice = RenderLegacyInvoice,
        .contract = RenderContract,
        .contentPage = RenderContentPage,
        .keyValueInvoice = RenderKeyValueInvoice,
    };
    return renderers;
}

const Renderer& RendererFor(std::string_view pattern, const DocumentRenderers& renderers) {
    for (const RendererRow& row : kRendererRows) {
        if (row.pattern == pattern) return renderers.*row.renderer;
    }
    return renderers.keyValueInvoice;
}

}  // namespace ledgra
