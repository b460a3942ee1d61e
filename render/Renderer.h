#pragma once
// The one contract every renderer follows, and the table that picks a document's renderer by
// its pattern. A renderer turns one verified document into a whole page (code page 949); an
// empty page means it failed, which the run reports as "HTML 생성 실패".

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/UserInterface.h"
#include "render/FrameState.h"
#include "render/PageFilling.h"
#include "render/PageTemplates.h"
#include "settings/Profile.h"

namespace ledgra {

// What a renderer works with: the frame's shared state to read (the log folder, whether the
// other copy is asked for), the copy state it writes, the stored settings, the page templates
// and the user. Whether a page is shown is the run's business, not a renderer's.
struct RenderContext {
    RenderContext(FrameState& frameState, const Profile& storedSettings,
                  const PageTemplates& pageTemplates, UserInterface& user)
        : frame(frameState),
          copy{frameState.m_nLastCopy, frameState.m_bShowOtherCopy},
          profile(storedSettings),
          templates(pageTemplates),
          ui(user) {}

    const FrameState& frame;
    CopyState copy;
    const Profile& profile;
    const PageTemplates& templates;
    UserInterface& ui;
};

// The document a renderer makes its page of.
struct RenderInput {
    // The document file the run verified.
    const std::filesystem::path& documentPath;
    // The verified content: what the container held (for a plain XML document, its text).
    const std::string& content;
    // For a plain XML document with an intact XML signature: the document reduced to the nodes
    // the signature covers (a UTF-8 file's bytes). A renderer that loads the document file
    // loads this instead, so that no unsigned value reaches the page.
    const std::string* signedXml = nullptr;
};

// A renderer may throw XmlAccessError for a document that lacks a required element; the run
// catches it.
using Renderer = std::function<std::string(RenderContext& context, const RenderInput& input)>;

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
