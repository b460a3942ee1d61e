#include <array>

#include "render/ContentPage.h"
#include "render/Contract.h"
#include "render/Renderer.h"
#include "render/StandardInvoice.h"

namespace ledgra {
namespace {

struct RendererRow {
    std::string_view pattern;
    Renderer DocumentRenderers::*renderer;
};

constexpr std::array kRendererRows{
    RendererRow{"*.XML", &DocumentRenderers::standardInvoice},
    RendererRow{"*.KTX", &DocumentRenderers::legacyInvoice},
    RendererRow{"*.KCX", &DocumentRenderers::contract},
    RendererRow{"*.CQS", &DocumentRenderers::contentPage},
};

// The legacy-schema and key-value renderers are being built: until each takes its place here
// it makes no page, which the run reports as "HTML 생성 실패".
std::string NoRendererYet(RenderContext&, const RenderInput&) {
    return {};
}

}  // namespace

const DocumentRenderers& ProductRenderers() {
    static const DocumentRenderers renderers{
        .standardInvoice = RenderStandardInvoice,
        .legacyInvoice = NoRendererYet,
        .contract = RenderContract,
        .contentPage = RenderContentPage,
        .keyValueInvoice = NoRendererYet,
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
