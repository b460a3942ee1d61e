#pragma once
// Running a renderer on a fuzzed document as the verification run does: the document file in
// the scratch folder, a fresh frame whose log folder is the scratch log folder, no stored
// settings, the built-in templates, and the run's catch of XmlAccessError.

#include <string>
#include <string_view>

#include "render/Renderer.h"

namespace ledgra::fuzz {

struct RenderOutcome {
    std::string page;          // "" when the renderer failed
    std::string otherCopy;     // the page the copy button shows next, "" without one
    bool xmlError = false;     // a required element was missing (XmlAccessError)
    std::size_t messages = 0;  // message boxes the renderer showed
};

// Writes `input` as the document file `fileName` and renders it with `renderer`, handing it
// the input as the verified content (what the run hands over for a plain file); when a page
// was made, renders the other copy as the copy button does.
RenderOutcome RenderFuzzedDocument(const Renderer& renderer, std::string_view fileName,
                                   std::string_view input);

}  // namespace ledgra::fuzz
