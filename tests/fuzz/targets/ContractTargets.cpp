// The contract and content-page renderers on fuzzed documents. Their bodies are markup by
// design (the page lock-down covers them); what must hold is the page limit and that the
// attachments land as plain files inside the log folder.

#include "render/ContentPage.h"
#include "render/Contract.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/RendererSupport.h"

namespace ledgra::fuzz {

void FuzzContract(std::string_view input) {
    const RenderOutcome outcome = RenderFuzzedDocument(RenderContract, input);
    // At most the load error is told.
    FUZZ_CHECK(outcome.messages <= 1);
}

void FuzzContentPage(std::string_view input) {
    const RenderOutcome outcome = RenderFuzzedDocument(RenderContentPage, input);
    FUZZ_CHECK(!outcome.xmlError);
    FUZZ_CHECK(outcome.messages == 0);
    // The body is cut out of the text: the page never holds more than the template and it.
    FUZZ_CHECK(outcome.page.size() <= input.size() + (std::size_t{64} << 10));
}

}  // namespace ledgra::fuzz
