#pragma once
// Rendering legacy-schema and key-value invoices in tests: probe templates for the six forms
// that print every placeholder in a cell of its own, and the rendered cells read back.

#include <string>
#include <string_view>
#include <vector>

#include "verify/FrameState.h"
#include "render/PageTemplates.h"
#include "render/Renderer.h"
#include "settings/Profile.h"
#include "tests/render/StandardInvoiceTestSupport.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"

namespace ledgra::testing {

// The names (UTF-8, without colons) of every placeholder the forms 140 to 210 are filled with.
const std::vector<std::string>& InvoiceFormPlaceholderNames();

// A frame, profile, user and a templates folder with probe templates 140, 141, 189, 190, 209
// and 210; with `builtInTemplates` the program's own templates instead.
class InvoiceFormRendering {
public:
    explicit InvoiceFormRendering(bool builtInTemplates = false);

    // Renders the document text (UTF-8, converted to code page 949 as a verified content is).
    RenderedInvoice Render(const Renderer& renderer, std::string_view utf8Content);
    RenderedInvoice RenderBytes(const Renderer& renderer, const std::string& cp949Content);

    // Stores the user's own registration number in its three parts.
    void SetOwnNumber(std::string_view number);
    std::filesystem::path SealFile(std::string_view fileName) const;

    TempFolder folder;
    FrameState frame;
    MemoryProfile profile;
    RecordingUserInterface ui;
    PageTemplates templates;
};

}  // namespace ledgra::testing
