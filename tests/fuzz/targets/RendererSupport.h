#pragma once
// Running a renderer on a fuzzed document as the verification run does: the document's bytes
// as the verified content, the scratch log folder (emptied first), no stored settings, the built-in templates, and the run's catch of XmlAccessError
// and PageTooLargeError. Checks what holds for every renderer: a page within the size limit,
// and nothing written but into the log folder.

#include <initializer_list>
#include <string>
#include <string_view>

#include "render/Renderer.h"

namespace ledgra::fuzz {

struct RenderOutcome {
    std::string page;          // "" when the renderer failed
    std::string otherCopy;     // the page the copy button shows next, "" without one
    bool xmlError = false;     // a required element was missing (XmlAccessError)
    bool tooLarge = false;     // the page passed its size limit (PageTooLargeError)
    std::size_t messages = 0;  // message boxes the renderer showed
};

// Renders `input` with `renderer` as the verified content; when a page was made, renders the
// other copy as the copy button does.
RenderOutcome RenderFuzzedDocument(const Renderer& renderer, std::string_view input);

// A filled invoice page holds no tag that neither its templates nor the fill's own markup
// (line breaks, seal images and boxes) bring: a document value never becomes markup.
void CheckNoTagsFromValues(std::string_view page, std::initializer_list<int> templateIds);

}  // namespace ledgra::fuzz
