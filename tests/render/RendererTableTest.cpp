#include <gtest/gtest.h>

#include "render/ContentPage.h"
#include "render/Contract.h"
#include "render/KeyValueInvoice.h"
#include "render/LegacyInvoice.h"
#include "render/Renderer.h"
#include "render/StandardInvoice.h"

namespace ledgra {
namespace {

using RendererFunction = RenderedPage (*)(const RenderContext&, const RenderInput&);

// Renderers that each make a page naming themselves.
DocumentRenderers NamingRenderers() {
    const auto naming = [](std::string name) {
        return [name](const RenderContext&, const RenderInput&) { return RenderedPage{name}; };
    };
    return {naming("standard"), naming("legacy"), naming("contract"), naming("content"),
            naming("key-value")};
}

TEST(RendererTable, EveryPatternHasItsRenderer) {
    const std::pair<const char*, const char*> rows[] = {
        {"*.XML", "standard"},
        {"*.KTX", "legacy"},
        {"*.KCX", "contract"},
        {"*.CQS", "content"},
        {"*.TSN", "key-value"},
        // Every other pattern, and patterns not upper-cased by the caller, go to the key-value
        // invoice.
        {"*.ABC", "key-value"},
        {"*.", "key-value"},
        {"*.ktx", "key-value"},
        {"", "key-value"},
    };
    const DocumentRenderers renderers = NamingRenderers();
    const std::filesystem::path logFolder;
    MemoryProfile profile;
    const PageTemplates templates;
    struct : UserInterface {
        void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
        void SetStatusText(const std::string&) override {}
        void NavigateView(const std::filesystem::path&) override {}
    } ui;
    const RenderContext context{logFolder, {}, profile, templates, ui};
    const std::string content;
    for (const auto& [pattern, renderer] : rows) {
        EXPECT_EQ(RendererFor(pattern, renderers)(context, RenderInput{content}).page, renderer)
            << pattern;
    }
}

TEST(RendererTable, TheProductRenderersAreTheSchemaRenderers) {
    const DocumentRenderers& product = ProductRenderers();
    const auto target = [](const Renderer& renderer) {
        const RendererFunction* function = renderer.target<RendererFunction>();
        return function ? *function : nullptr;
    };
    EXPECT_EQ(target(product.standardInvoice), &RenderStandardInvoice);
    EXPECT_EQ(target(product.legacyInvoice), &RenderLegacyInvoice);
    EXPECT_EQ(target(product.keyValueInvoice), &RenderKeyValueInvoice);
    EXPECT_EQ(target(product.contract), &RenderContract);
    EXPECT_EQ(target(product.contentPage), &RenderContentPage);
}

}  // namespace
}  // namespace ledgra
