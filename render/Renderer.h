#pragma once
// The one contract every renderer follows, and the table that picks a document's renderer by
// its pattern. A renderer turns one verified document into a whole page (code page 949); an
// empty page means it failed, which the run reports as "HTML 생성 실패".

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/UserInterface.h"
#include "render/CopyChoice.h"
#include "render/PageTemplates.h"
#include "render/XmlDocument.h"
#include "settings/Profile.h"

namespace ledgra {

// What a renderer reads besides the document: the log folder its images and attachments go
// to (with its trailing separator), the copy asked for, the stored settings, the page
// templates and the user. It writes no window state; the run records what it returns.
struct RenderContext {
    const std::filesystem::path& logFolder;
    CopyRequest copy;
    const Profile& profile;
    const PageTemplates& templates;
    UserInterface& ui;
};

// The document a renderer makes its page of: only what the run read once and verified. No
// renderer opens the document file: a file changed after its check must not reach the page.
struct RenderInput {
    // The verified content: what the container held (for a plain XML document, its bytes as
    // read for the check).
    const std::string& content;
    // For a plain XML document with an intact XML signature: the document reduced to the nodes
    // the signature covers (a UTF-8 file's bytes). A renderer that loads the document loads
    // this instead, so that no unsigned value reaches the page.
    const std::string* signedXml = nullptr;
    // For a plain XML document without an XML signature: the tree of `content`, when its check
    // kept the one it parsed. A renderer that loads the content takes it instead.
    const ParsedXml* contentTree = nullptr;
};

// What a renderer made: the page ("" when it failed) and the copy of an invoice form it chose
// (1 matching, 2 the other one; 0 when it chose none, which leaves the last copy as it was).
struct RenderedPage {
    std::string page;
    int copy = 0;
};

// A renderer may throw XmlAccessError for a document that lacks a required element; the run
// catches it.
using Renderer = std::function<RenderedPage(const RenderContext& context, const RenderInput& input)>;

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
