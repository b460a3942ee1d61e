// The legacy-schema and key-value invoice renderers on fuzzed documents, both copies: their
// values stay text, and the page keeps to its limit.

#include "render/InvoicePage.h"
#include "render/KeyValueInvoice.h"
#include "render/KeyValueInvoiceRecord.h"
#include "render/LegacyInvoice.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/RendererSupport.h"

namespace ledgra::fuzz {
namespace {

void CheckInvoicePages(const RenderOutcome& outcome) {
    FUZZ_CHECK(outcome.page.empty() || !outcome.otherCopy.empty());
    for (const std::string* page : {&outcome.page, &outcome.otherCopy}) {
        CheckNoTagsFromValues(
            *page, {kTaxInvoiceTemplates.supplierCopy, kTaxInvoiceTemplates.buyerCopy,
                    kInvoiceWithoutTaxTemplates.supplierCopy, kInvoiceWithoutTaxTemplates.buyerCopy,
                    kPaymentReceiptTemplates.supplierCopy, kPaymentReceiptTemplates.buyerCopy});
    }
}

}  // namespace

void FuzzLegacyInvoice(std::string_view input) {
    const RenderOutcome outcome = RenderFuzzedDocument(RenderLegacyInvoice, input);
    // The legacy renderer tells the user nothing itself.
    FUZZ_CHECK(outcome.messages == 0);
    CheckInvoicePages(outcome);
}

void FuzzKeyValueInvoice(std::string_view input) {
    // The reader alone first: nothing in the text is required, and a value never holds the
    // quote that ends it.
    const KeyValueInvoice invoice = ReadKeyValueInvoice(input);
    for (const std::string& value : invoice.fields.table) {
        FUZZ_CHECK(value.size() <= 2 * input.size() + 1);
    }
    FUZZ_CHECK(invoice.buyerStamp.find('"') == std::string::npos);
    FUZZ_CHECK(invoice.supplierStamp.find('"') == std::string::npos);

    const RenderOutcome outcome =
        RenderFuzzedDocument(RenderKeyValueInvoice, input);
    FUZZ_CHECK(!outcome.xmlError);
    FUZZ_CHECK(outcome.messages == 0);
    CheckInvoicePages(outcome);
}

}  // namespace ledgra::fuzz
