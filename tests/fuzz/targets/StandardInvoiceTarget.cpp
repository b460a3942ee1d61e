// The standard-schema invoice renderer on a fuzzed invoice file, both copies.

#include "render/StandardInvoice.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/RendererSupport.h"

namespace ledgra::fuzz {

void FuzzStandardInvoice(std::string_view input) {
    const RenderOutcome outcome =
        RenderFuzzedDocument(RenderStandardInvoice, input);
    // A document that renders once renders its other copy as well.
    FUZZ_CHECK(outcome.page.empty() || !outcome.otherCopy.empty());
    // At most the load error is told; everything else is the run's to report.
    FUZZ_CHECK(outcome.messages <= 1);
    for (const std::string* page : {&outcome.page, &outcome.otherCopy}) {
        CheckNoTagsFromValues(*page, {kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate});
    }
}

}  // namespace ledgra::fuzz
